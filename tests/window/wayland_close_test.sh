#!/bin/sh
# Under sway, the game ends within 5 s of the close request or SIGTERM right after a round, twenty times over.
# usage: wayland_close_test.sh SHORT_ROUND_GAME
set -u
game=$1
. "$(dirname "$0")/sway_session.sh"

for run in $(seq 20); do
    : >"$game_log"
    start_game "$game" 500
    await_window '^Der Tastenrenner\|focused=True' 10 || fail "run $run: the board did not show with the focus"
    press -k space
    await_window '^Blah\|focused=True' 10 || fail "run $run: the verdict did not show with the focus"
    # The case that once left the game hanging: the board focused while the box was up.
    focus_title 'Der Tastenrenner'
    focus_title 'Blah'
    # After a pause: keys close behind the bell are taken as presses still on their way.
    sleep 0.5
    press -k n
    for _ in $(seq 50); do windows | grep -q '^Blah|' || break; sleep 0.1; done
    windows | grep -q '^Blah|' && fail "run $run: No did not close the verdict"
    if [ $((run % 2)) -eq 1 ]; then
        how="the close request"
        await_game_end 5 close_board || fail "run $run: the game ended with status $? after the close request"
    else
        how="SIGTERM"
        terminate_game 5
    fi
    # Matched with this test's round length: the round test runs the same program beside it, with another.
    leftover=$(pgrep -u "$session_user" -f "^$game 500\$")
    [ -z "$leftover" ] || fail "run $run: a game process ($leftover) outlived $how"
done
echo "20 rounds each ended by the close request or SIGTERM within 5 s, with status 0"
