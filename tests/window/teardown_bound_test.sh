#!/bin/sh
# A teardown that never ends still ends the game: three seconds after its loop ends, whether the window closed or a
# termination request came, and at once on a second request.
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
    for _ in $(seq 300); do grep -q '^running$' "$game_log" && break; sleep 0.1; done
    grep -q '^running$' "$game_log" || fail "the game's loop did not run within 30 s"
    started=$(date +%s%N)
}

# Waits for the game to end with status 0; $took is how many milliseconds after $started it did.
await_status_zero() {
    await_game_end 10
    status=$?
    [ "$status" -eq 0 ] || fail "the game ended with status $status"
    took=$((($(date +%s%N) - started) / 1000000))
}

# Fails, naming WHAT, unless the game ended from MIN to MAX milliseconds after $started.
took_between() {
    if [ "$took" -lt "$1" ] || [ "$took" -gt "$2" ]; then
        fail "$3, the game ended after $took ms, not within $1 to $2"
    fi
    echo "$3, the game ended after $took ms"
}

start_stuck_game close
await_status_zero
took_between 2500 6000 "closed with a stuck teardown"

start_stuck_game
kill -TERM "$game_pid"
await_status_zero
took_between 2500 6000 "asked to end with a stuck teardown"

start_stuck_game
kill -TERM "$game_pid"
sleep 0.5
kill -TERM "$game_pid"
await_status_zero
took_between 0 1500 "asked twice to end"
