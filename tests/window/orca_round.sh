#!/bin/sh
# One round played by keyboard under Orca, as a blind player would, and what Orca said, each utterance with its
# seconds since the game was started. PLAY is how: "three" (Space three times, Orca's where-am-I, Yes once at the
# verdict, then No), "bell" (Space ten times a second from three seconds before the end of the minute to four after,
# then No) or "suite" (three, where-am-I, then ten a second from two seconds before the end to two after, Yes, No).
set -u
game=$1
play=${2:-three}
here=$(dirname "$0")
. "$here/../support/testlib.sh"
in_own_session_bus "$@"
start_x_session
. "$here/orca_session.sh"
trap 'end_orca; end_session' EXIT
start_orca
started=$(date +%s.%N)
show_game 30 "$game"
xdotool windowfocus --sync "$main"
sleep 2
case $play in
three)
    for _ in 1 2 3; do xdotool key space; sleep 0.3; done
    sleep 2
    xdotool key KP_Enter
    ;;
bell)
    xdotool key space
    sleep 57
    xdotool key --delay 100 --repeat 70 space
    ;;
suite)
    for _ in 1 2 3; do xdotool key space; sleep 0.3; done
    sleep 2
    xdotool key KP_Enter
    sleep 55
    xdotool key --delay 100 --repeat 40 space
    ;;
esac
prompt=$(timeout 75 xdotool search --sync --onlyvisible --name '^Blah$' | head -n 1)
[ -n "$prompt" ] || { spoken; fail "no verdict"; }
# A blind player answers once the box has been heard. With the presses at the bell to echo, Orca may be seconds
# behind: an answer before that takes the box away before it is read.
await_said "'alert Blah\.'"
sleep 3
[ "$play" != bell ] && { xdotool key Return; sleep 3; }
xdotool key n
# Orca's echo of this last key closes the transcript.
await_said "'n '\$"
sleep 2
spoken | awk -v t0="$started" '{ split($1, c, ":"); s = c[1] * 3600 + c[2] * 60 + c[3]; $1 = ""; printf "%6.1f s %s\n", s - t0 % 86400, $0 }'
