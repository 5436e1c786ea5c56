#!/bin/sh
# The game heard through Orca, Debian's screen reader: a round played by keyboard, and what Orca said of it.
set -u
game=$1
here=$(dirname "$0")
transcript=$(mktemp)
trap 'rm -f "$transcript"' EXIT
sh "$here/orca_round.sh" "$game" suite >"$transcript" 2>&1
status=$?
[ "$status" -eq 77 ] && { grep '^SKIP' "$transcript"; exit 77; }
failed=
check() {
    echo "$1" | grep -q . || { echo "FAIL: $2"; failed=1; }
}
said() { grep -E "^ *-?[0-9.]+ s  '$1'\$" "$transcript"; }
[ "$status" -eq 0 ] || { echo "FAIL: the round under Orca did not play through (status $status)"; failed=1; }
first_press=$(said 'space ' | head -n 1 | awk '{ print $1 }')
started=$(said '0 percent\.' | head -n 1 | awk '{ print $1 }')
check "$(awk -v p="${first_press:-0}" -v s="${started:-999}" 'BEGIN { if (s - p >= 0 && s - p <= 1.5) print "ok" }')" \
    "the first press was not followed within 1.5 s by '0 percent.'"
check "$(said '[1-9][0-9] percent\.' | sed -n 3p)" "fewer than three reports of the minute's progress"
check "$(said 'Click Me push button 3 pushes\.')" "where-am-I on the button did not say '3 pushes'"
# Until the verdict the game itself says nothing but the minute's progress: Orca's key echo and where-am-I aside.
unexpected=$(grep -E "^ *-?[0-9.]+ s  '" "$transcript" | awk "/'alert Blah\\.'/ { exit } { print }" |
    grep -vE "'(space |return |[0-9]+ percent\.|Click Me push button 3 pushes\.|Screen reader on\.|Der Tastenrenner frame\.|Click Me push button\.|0 pushes\.)'\$")
[ -z "$unexpected" ] || { echo "FAIL: said during the round: $unexpected"; failed=1; }
check "$(said "Did you try\? / Should this message display again\? / [0-9]+ pushes, a new record\.?")" \
    "the verdict was not spoken with its count and the new record"
# The verdict is read once and not cut off: the box stays the same window through the presses still coming at
# the bell and through Yes, so the reader has no new window to start over with.
check "$(said 'alert Blah\.' | wc -l | grep -x 1)" "the verdict was read $(said 'alert Blah\.' | wc -l) times, not once"
if [ -n "$failed" ]; then
    echo "--- what Orca said ---"
    cat "$transcript"
    exit 1
fi
echo "Orca said the minute, the count and the verdict:"
grep -vE "'space '\$" "$transcript"
