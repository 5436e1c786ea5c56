#!/bin/sh
# Runs the real tastenrenner-replay binary as a script author would: its output lines, its command line, its exit codes, its speed.
# Usage: replay_cli_test.sh PATH-TO-tastenrenner-replay
set -u
player=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Every failure shows what the player printed in the run it is about.
fail() {
    echo "FAIL: $*"
    echo "--- its standard output ---"
    cat "$work/out"
    echo "--- its standard error ---"
    cat "$work/err"
    echo "--- end of its output ---"
    failures=$((failures + 1))
}

# Runs the player with ARGUMENTS and nothing on standard input; its status goes to status, its output to out and err.
run() {
    timeout 10 "$player" "$@" </dev/null >"$work/out" 2>"$work/err"
    status=$?
}

expect_status() { [ "$status" -eq "$1" ] || fail "$2: exit status $status, wanted $1"; }
expect_line() { grep -qxF "$2" "$1" || fail "missing line '$2' in $1"; }
expect_no_output() { [ -s "$work/out" ] && fail "$1: printed on standard output"; }
expect_quiet() { [ -s "$work/err" ] && fail "$1: wrote to standard error"; }

# A refused command line: status 2, one line on standard error naming the program, nothing played.
expect_refused() {
    expect_status 2 "$1"
    expect_no_output "$1"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$1: standard error is not one line"
    grep -q '^tastenrenner-replay: ' "$work/err" || fail "$1: standard error does not start with 'tastenrenner-replay: '"
}

# One press: the first step of a round, as the window would show it.
printf 'press\nstate\n' | "$player" >"$work/out" 2>"$work/err"
status=$?
expect_status 0 "a good script"
expect_line "$work/out" "Score.Caption 001 pushes"
expect_line "$work/out" "Background.BackColor 1 255 0"
expect_line "$work/out" "Meter 1500 1500 1526.1786 0.22845727"
expect_quiet "a good script"

# A faulty third line: exit 2, one line on stderr naming it, and nothing played from it on.
printf 'press\n\nfly away\nstate\n' | "$player" >"$work/out" 2>"$work/err"
status=$?
expect_status 2 "a faulty script"
expect_no_output "a faulty script"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "a faulty script: standard error is not one line"
grep -q 'line 3' "$work/err" || fail "a faulty script: standard error does not name line 3"

# A million presses in one line must play in seconds, not minutes.
printf 'press 1000000\nstate\n' | timeout 10 "$player" >"$work/out" 2>"$work/err"
status=$?
expect_status 0 "a million presses within 10 s"
expect_line "$work/out" "Pushes 1000000"
expect_line "$work/out" "Score.Caption 000 pushes"
expect_line "$work/out" "Background.BackColor 255 255 255"

# A script named on the command line, or named -, plays exactly as the same script piped; the named one is read
# even though standard input is empty.
printf '# a round asked again once\npress 3\ntick 600\nend yes no\nstate\n' >"$work/round.txt"
"$player" <"$work/round.txt" >"$work/out" 2>"$work/err"
status=$?
expect_status 0 "the round piped"
expect_line "$work/out" "answer yes"
expect_line "$work/out" "Record.Caption Record: 3 pushes"
cp "$work/out" "$work/piped"
run "$work/round.txt"
expect_status 0 "the round named on the command line"
expect_quiet "the round named on the command line"
cmp -s "$work/piped" "$work/out" || fail "the named round played otherwise than piped: $(diff "$work/piped" "$work/out")"
timeout 10 "$player" - <"$work/round.txt" >"$work/out" 2>"$work/err"
status=$?
expect_status 0 "the round piped to -"
cmp -s "$work/piped" "$work/out" || fail "the round piped to - played otherwise: $(diff "$work/piped" "$work/out")"

# --help and -h: the usage on standard output, status 0, and no script is waited for.
for option in --help -h; do
    run "$option"
    expect_status 0 "$option"
    grep -q '^Usage: tastenrenner-replay \[SCRIPT\]$' "$work/out" || fail "$option does not print the usage"
    expect_quiet "$option"
done

# What the player cannot take: one clear line each, status 2.
run "$work/no-such-round.txt"
expect_refused "a missing script"
grep -qF "$work/no-such-round.txt" "$work/err" || fail "a missing script: the line does not name the file"
run --fly-away
expect_refused "an unknown option"
grep -qF -- "--fly-away" "$work/err" || fail "an unknown option: the line does not name it"
run "$work/round.txt" "$work/round.txt"
expect_refused "two scripts"
run "$work"
expect_refused "a folder for a script"

[ "$failures" -eq 0 ] && echo "all replay checks passed"
[ "$failures" -eq 0 ]
