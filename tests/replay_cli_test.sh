#!/bin/sh
# Runs the real tastenrenner-replay binary as a script author would: its output lines, its command line, its exit codes, its speed.
# Usage: replay_cli_test.sh PATH-TO-tastenrenner-replay
set -u
player=$1
. "$(dirname "$0")/support/testlib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
# Every failure shows what the player printed in the run it is about.
game_log="$work/out $work/err"

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

# Scripts that once kept the player busy for hours: each count past the limit is refused at once, before anything
# is played, and a faulty line after the largest count comes within a second or so.
for script in 'press 1000000000000' 'press 9223372036854775807' 'press 1\ntick 9223372036854775807' \
    'press 1\ntick 1000000\ntick 2551615009'; do
    # shellcheck disable=SC2059 # the script is the format: its \n are the line breaks
    printf "$script\n" >"$work/hostile.txt"
    name=$(printf '%s' "$script" | sed 's/\\n/; /g')
    run "$work/hostile.txt"
    expect_refused "$name"
    grep -q 'is not a whole number from 1 to 1000000$' "$work/err" || fail "$name: the line does not name the limit"
done

# A 100 MB word comes back as one short line with its start, and the player does not hold it in memory.
head -c 100000000 /dev/zero | tr '\0' x >"$work/long.txt"
/usr/bin/time -f '%M' -o "$work/kilobytes" timeout 20 "$player" "$work/long.txt" >"$work/out" 2>"$work/err"
status=$?
expect_refused "a 100 MB word"
[ "$(wc -c <"$work/err")" -lt 200 ] || fail "a 100 MB word: the error line is $(wc -c <"$work/err") bytes long"
[ "$(tail -n 1 "$work/kilobytes")" -lt 60000 ] || fail "a 100 MB word: the player took $(tail -n 1 "$work/kilobytes") KB"
rm -f "$work/long.txt"

# Bytes a terminal would act on never reach it raw: NUL, ESC and bytes that are not UTF-8 are escaped.
printf 'tick \000\033[2J\377\n' >"$work/binary.txt"
run "$work/binary.txt"
expect_refused "a count of control bytes"
grep -qF "count '\\x00\\x1b[2J\\xff' is not" "$work/err" || fail "a count of control bytes: not escaped"

# Output that cannot be written is a failure, whether it is the board, many boards or the usage.
printf 'press 3\nstate\n' >"$work/board.txt"
yes state | head -n 100000 >"$work/many-boards.txt"
for script in "$work/board.txt" "$work/many-boards.txt" --help; do
    timeout 10 "$player" "$script" </dev/null >/dev/full 2>"$work/err"
    status=$?
    : >"$work/out"
    expect_refused "$script to a full disk"
    grep -q 'cannot write the .* to standard output$' "$work/err" || fail "$script to a full disk: no word of writing"
done

[ "$failures" -eq 0 ] && echo "all replay checks passed"
[ "$failures" -eq 0 ]
