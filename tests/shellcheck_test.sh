#!/bin/sh
# Runs shellcheck over every shell script of the source tree, found by its #! line or its .sh name, and fails on any finding.
# Usage: shellcheck_test.sh SOURCE_DIR
set -u
. "$(dirname "$0")/support/testlib.sh"
need shellcheck
cd "$1" || exit 1
list=$(mktemp)
trap 'rm -f "$list"' EXIT

# Build trees (they hold a CMakeCache.txt) and git's own files are not the project's scripts.
find . \( -name .git -o -exec test -e '{}/CMakeCache.txt' ';' \) -prune -o -type f -print |
    LC_ALL=C sort |
    while IFS= read -r file; do
        case $file in
            *.sh) echo "$file" ;;
            *) head -n 1 "$file" 2>/dev/null | grep -qE '^#!.*[/[:space:]](sh|bash|dash)([[:space:]]|$)' && echo "$file" ;;
        esac
    done >"$list"

count=$(wc -l <"$list")
[ "$count" -gt 0 ] || fail "no shell script found under $1"
findings=$(tr '\n' '\0' <"$list" | xargs -0 shellcheck --format=gcc)
status=$?
if [ -n "$findings" ] || [ "$status" -ne 0 ]; then
    printf '%s\n' "$findings"
    fail "shellcheck exited $status with $(printf '%s\n' "$findings" | grep -c .) findings in $count scripts"
fi
echo "shellcheck: no findings in $count scripts:"
sed 's|^\./|  |' "$list"
