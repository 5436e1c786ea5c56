#!/bin/sh
# A teardown that never ends still ends the game: three seconds after its loop ends, whether the window closed or a
# termination request came, and at once on a second request. A signal that is none of the game's business ends nothing.
set -u
game=$1
. "$(dirname "$0")/../support/testlib.sh"
game_log=$(mktemp)
trap 'rm -f "$game_log"; [ -n "${game_pid:-}" ] && kill -KILL "$game_pid" 2>/dev/null' EXIT
export QT_QPA_PLATFORM=offscreen

# Starts the game and waits for its loop to run; $started is then.
start_stuck_game() {
    "$game" "$@" >"$game_log" 2>&1 &
    game_pid=$!
    await_output running 30 grep -x running "$game_log" || fail "the game's loop did not run within 30 s"
    started=$(date +%s%N)
}

# Fails, naming WHAT, unless the game ended from MIN to MAX milliseconds after $started.
took_between() {
    took=$((($(date +%s%N) - started) / 1000000))
    if [ "$took" -lt "$1" ] || [ "$took" -gt "$2" ]; then
        fail "$3, the game ended after $took ms, not within $1 to $2"
    fi
    echo "$3, the game ended after $took ms"
}

start_stuck_game close
await_game_end 10 || fail "closed, the game ended with status $?"
took_between 2500 6000 "closed with a stuck teardown"

start_stuck_game
terminate_game 10
took_between 2500 6000 "asked to end with a stuck teardown"

start_stuck_game
kill -TERM "$game_pid"
sleep 0.5
terminate_game 10
took_between 0 1500 "asked twice to end"

start_stuck_game interrupt
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "a signal that is none of the game's business ended it"
started=$(date +%s%N)
terminate_game 10
took_between 2500 6000 "interrupted, then asked to end"
