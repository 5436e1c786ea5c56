#!/bin/sh
# The game heard through Orca, Debian's screen reader: a round played by keyboard, and what Orca said of it.
set -u
game=$1
. "$(dirname "$0")/../support/testlib.sh"
transcript=$(mktemp -t orca-said.XXXXXX)
trap 'rm -f "$transcript"' EXIT
# Every failure shows what Orca said.
game_log=$transcript
sh "$(dirname "$0")/orca_round.sh" "$game" suite >"$transcript" 2>&1
status=$?
[ "$status" -eq 77 ] && skip "$(sed -n 's/^SKIP: //p' "$transcript")"
check() {
    echo "$1" | grep -q . || fail "$2"
}
said() { grep -E "^ *-?[0-9.]+ s  '$1'\$" "$transcript"; }
[ "$status" -eq 0 ] || fail "the round under Orca did not play through (status $status)"
first_press=$(said 'space ' | head -n 1 | awk '{ print $1 }')
# Orca speaks the newest value it has: on a busy machine the minute may have gone on to 1 percent by then.
started=$(said '[0-2] percent\.' | head -n 1 | awk '{ print $1 }')
check "$(awk -v p="${first_press:-0}" -v s="${started:-999}" 'BEGIN { if (s - p >= 0 && s - p <= 1.5) print "ok" }')" \
    "the first press was not followed within 1.5 s by the minute's start ('0 percent.' to '2 percent.')"
check "$(said '[1-9][0-9] percent\.' | sed -n 3p)" "fewer than three reports of the minute's progress"
check "$(said 'Click Me push button 3 pushes\.')" "where-am-I on the button did not say '3 pushes'"
# Until the verdict the game itself says nothing but the minute's progress: Orca's key echo and where-am-I aside.
unexpected=$(grep -E "^ *-?[0-9.]+ s  '" "$transcript" | awk "/'alert Blah\\.'/ { exit } { print }" |
    grep -vE "'(space |return |[0-9]+ percent\.|Click Me push button 3 pushes\.|Screen reader on\.|Der Tastenrenner frame\.|Click Me push button\.|0 pushes\.)'\$")
[ -z "$unexpected" ] || fail "said during the round: $unexpected"
check "$(said "Did you try\? / Should this message display again\? / [0-9]+ pushes, a new record\.?")" \
    "the verdict was not spoken with its count and the new record"
# The verdict is read once and not cut off: the box stays the same window through the presses still coming at
# the bell and through Yes, so the reader has no new window to start over with.
check "$(said 'alert Blah\.' | wc -l | grep -x 1)" "the verdict was read $(said 'alert Blah\.' | wc -l) times, not once"
echo "Orca said the minute, the count and the verdict:"
grep -vE "'space '\$" "$transcript"
