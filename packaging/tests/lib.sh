# Helpers shared by the packaging checks: failing with a reason, and skipping where a tool is missing.
# shellcheck shell=sh

# A check that starts the game names the file its output goes to in program_log; every failure then shows it.
program_log=
fail() {
    echo "FAIL: $*" >&2
    if [ -n "$program_log" ] && [ -s "$program_log" ]; then
        echo "--- the game's output ---" >&2
        cat "$program_log" >&2
        echo "--- end of the game's output ---" >&2
    elif [ -n "$program_log" ] && [ -e "$program_log" ]; then
        echo "(the game printed nothing)" >&2
    fi
    exit 1
}

# CTest reads exit status 77 as "skipped": a missing tool is not a fault of the package.
need() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed" >&2
            exit 77
        fi
    done
}

skip() {
    echo "SKIP: $*" >&2
    exit 77
}

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
