#!/bin/sh
# Renders the compressed manual page the way lintian does and fails on any complaint from man or groff.
set -eu
. "$(dirname "$0")/lib.sh"
need man gzip
page=$1
gzip -t "$page" || fail "$page is not a whole gzip file"
complaints=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) \
    || fail "man could not render $page: $complaints"
[ -z "$complaints" ] || fail "man and groff complained about $page: $complaints"
# A page that renders but lost its name section is as useless as one that does not render.
rendered=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
printf '%s\n' "$rendered" | grep -q '^NAME' || fail "$page renders without a NAME section"
printf '%s\n' "$rendered" | grep -q 'tastenrenner - ' || fail "$page does not name the program in its NAME section"
echo "man: $page renders cleanly"
