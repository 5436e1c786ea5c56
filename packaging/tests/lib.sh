# Sourced by the packaging checks: the tests' own library, and what only the package is read with.
# shellcheck shell=sh
. "$(dirname "$0")/../../tests/support/testlib.sh"

# The value of KEY in a desktop entry's main group (the first one with that key).
desktop_value() {
    sed -n "s/^$2=//p" "$1" | head -n 1
}

# The one package the package build left in DIR, or a skip if it left none (the build skipped).
the_package() {
    set -- "$1"/*.deb
    [ -f "$1" ] || skip "no package was built"
    [ "$#" -eq 1 ] || fail "more than one package: $*"
    echo "$1"
}
