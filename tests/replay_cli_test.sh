#!/bin/sh
# Runs the real tastenrenner-replay binary through pipes: its output lines, its exit codes and its speed.
# Usage: replay_cli_test.sh PATH-TO-tastenrenner-replay
set -u
player=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect_line() { grep -qxF "$2" "$1" || fail "missing line '$2' in $1: $(cat "$1")"; }

# One press: the first step of a round, as the window would show it.
printf 'press\nstate\n' | "$player" >"$work/out" 2>"$work/err"
[ $? -eq 0 ] || fail "a good script did not exit 0"
expect_line "$work/out" "Score.Caption 001 pushes"
expect_line "$work/out" "Background.BackColor 1 255 0"
expect_line "$work/out" "Meter 1500 1500 1526.1786 0.22845727"
[ -s "$work/err" ] && fail "a good script wrote to stderr: $(cat "$work/err")"

# A faulty third line: exit 2, one line on stderr naming it, and nothing played from it on.
printf 'press\n\nfly away\nstate\n' | "$player" >"$work/out" 2>"$work/err"
[ $? -eq 2 ] || fail "a faulty script did not exit 2"
[ -s "$work/out" ] && fail "a faulty script printed: $(cat "$work/out")"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "stderr is not one line: $(cat "$work/err")"
grep -q 'line 3' "$work/err" || fail "stderr does not name line 3: $(cat "$work/err")"

# A million presses in one line must play in seconds, not minutes.
printf 'press 1000000\nstate\n' | timeout 10 "$player" >"$work/out" 2>"$work/err"
[ $? -eq 0 ] || fail "a million presses did not finish within 10 s"
expect_line "$work/out" "Pushes 1000000"
expect_line "$work/out" "Score.Caption 000 pushes"
expect_line "$work/out" "Background.BackColor 255 255 255"

[ "$failures" -eq 0 ] && echo "all replay checks passed"
[ "$failures" -eq 0 ]
