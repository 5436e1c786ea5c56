#!/bin/sh
# Without a display the game says so in one line and exits 2, instead of aborting with a core dump.
set -u
game=$1
. "$(dirname "$0")/../support/testlib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
game_log="$work/out $work/err"
for display in unset :987; do
    if [ "$display" = unset ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$game" >"$work/out" 2>"$work/err"
    else
        env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=$display "$game" >"$work/out" 2>"$work/err"
    fi
    status=$?
    [ "$status" -eq 2 ] || fail "display $display: exit status $status, wanted 2"
    [ "$(wc -l < "$work/err")" -eq 1 ] || fail "display $display: wanted one line on standard error"
    grep -q 'no window system to show the game on' "$work/err" || fail "display $display: not the line that says no window system"
    grep -q 'DISPLAY' "$work/err" || fail "display $display: names no variable to set"
done
echo "no display: one line, status 2, for an unset and an unreachable display"
