#!/bin/sh
# The real game read through the accessibility bus: its own X server and session bus, a screen reader's view.
set -u
game=$1
here=$(dirname "$0")
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${TASTENRENNER_OWN_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null 2>&1 || { echo "SKIP: dbus-run-session is not installed"; exit 77; }
    TASTENRENNER_OWN_BUS=1 exec dbus-run-session -- sh "$0" "$@"
fi
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
. "$here/xvfb_session.sh"
# The accessibility bus must be up before the game starts, or the toolkit will not join it.
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
bus_pid=$!
trap 'kill "$bus_pid" 2>/dev/null; end_session' EXIT
sleep 1
start_game env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$game"
main=$(game_window 30)
[ -n "$main" ] || fail "no game window"
/usr/bin/python3 "$here/atspi_screen_reader.py" "$main" 2>"$session_dir/reader.log"
status=$?
[ "$status" -eq 0 ] || { cat "$session_dir/reader.log"; fail "the screen reader's checks failed (status $status)"; }
