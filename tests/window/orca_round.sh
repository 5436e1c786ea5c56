#!/bin/sh
# One round played by keyboard under Orca, as a blind player would: Space three times, Yes once at the verdict, then No.
# Prints what Orca said, each utterance with its seconds since the game was started.
set -u
game=$1
here=$(dirname "$0")
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${TASTENRENNER_OWN_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null 2>&1 || { echo "SKIP: dbus-run-session is not installed"; exit 77; }
    TASTENRENNER_OWN_BUS=1 exec dbus-run-session -- sh "$0" "$@"
fi
. "$here/xvfb_session.sh"
. "$here/orca_session.sh"
trap 'end_orca; end_session' EXIT
start_orca
started=$(date +%s.%N)
start_game "$game"
main=$(game_window 30)
[ -n "$main" ] || fail "no game window"
xdotool windowfocus --sync "$main"
sleep 2
for _ in 1 2 3; do xdotool key space; sleep 0.3; done
box=$(verdict_window 75)
[ -n "$box" ] || { spoken; fail "no verdict"; }
sleep 3
xdotool key Return
sleep 3
xdotool key n
sleep 5
spoken | awk -v t0="$started" '{ split($1, c, ":"); s = c[1] * 3600 + c[2] * 60 + c[3]; $1 = ""; printf "%6.1f s %s\n", s - t0 % 86400, $0 }'
