#!/bin/sh
# Checks the AppStream metadata offline; errors, warnings and infos all fail, only pedantic notes pass.
set -eu
. "$(dirname "$0")/lib.sh"
need appstreamcli
metainfo=$1
[ -f "$metainfo" ] || fail "no metadata at $metainfo"
status=0
report=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) || status=$?
printf '%s\n' "$report"
[ "$status" -eq 0 ] || fail "appstreamcli validate exited $status"
# Infos are not failures to appstreamcli, but a missing content rating is only an info and
# software centres hide such an application.
if printf '%s\n' "$report" | grep -q '^[EWI]: '; then
    fail "appstreamcli reported issues in $metainfo"
fi
