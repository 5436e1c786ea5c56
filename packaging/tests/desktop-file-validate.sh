#!/bin/sh
# Checks the menu entry with desktop-file-validate; it exits 0 on some errors and all warnings, so any word from it fails.
set -eu
. "$(dirname "$0")/lib.sh"
need desktop-file-validate
desktop_file=$1
[ -f "$desktop_file" ] || fail "no menu entry at $desktop_file"
status=0
report=$(desktop-file-validate "$desktop_file" 2>&1) || status=$?
[ -n "$report" ] && printf '%s\n' "$report"
[ "$status" -eq 0 ] || fail "desktop-file-validate exited $status"
[ -z "$report" ] || fail "desktop-file-validate had something to say about $desktop_file"
echo "desktop-file-validate: $desktop_file is clean"
