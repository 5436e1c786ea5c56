#!/bin/sh
# The real game read through the accessibility bus: its own X server and session bus, a screen reader's view.
set -u
game=$1
. "$(dirname "$0")/../support/testlib.sh"
in_own_session_bus "$@"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
start_x_session
# The accessibility bus must be up before the game starts, or the toolkit will not join it.
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
bus_pid=$!
trap 'kill "$bus_pid" 2>/dev/null; end_session' EXIT
sleep 1
show_game 30 env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$game"
/usr/bin/python3 "$(dirname "$0")/atspi_screen_reader.py" "$main" 2>"$session_dir/reader.log"
status=$?
[ "$status" -eq 0 ] || { cat "$session_dir/reader.log"; fail "the screen reader's checks failed (status $status)"; }
