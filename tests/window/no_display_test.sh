#!/bin/sh
# Without a display the game says so in one line and exits 2, instead of aborting with a core dump.
set -u
game=$1
fail() { echo "FAIL: $*"; exit 1; }
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for display in unset :987; do
    if [ "$display" = unset ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$game" 2>"$errors"
    else
        env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=$display "$game" 2>"$errors"
    fi
    status=$?
    [ "$status" -eq 2 ] || fail "display $display: exit status $status, wanted 2"
    [ "$(wc -l < "$errors")" -eq 1 ] || fail "display $display: wanted one line, got: $(cat "$errors")"
    grep -q 'no window system to show the game on' "$errors" || fail "display $display: $(cat "$errors")"
    grep -q 'DISPLAY' "$errors" || fail "display $display: names no variable to set"
done
echo "no display: one line, status 2, for an unset and an unreachable display"
