#!/bin/sh
# Runs lintian on the Debian package; any error or warning fails, informational tags are shown but pass.
set -eu
. "$(dirname "$0")/lib.sh"
need lintian
deb=$(the_package "$1")
# lintian only warns about being run as root, which is how this machine's tests run.
status=0
report=$(lintian --fail-on error,warning --display-info --no-cfg "$deb" 2>&1) || status=$?
printf '%s\n' "$report" | grep -v '^running with root privileges is not recommended!$' || true
[ "$status" -eq 0 ] || fail "lintian exited $status: errors or warnings in $(basename "$deb")"
echo "lintian: $(basename "$deb") has no error and no warning"
