# Sourced by the tests that run the real game: a skip where a tool is missing, and a failure that shows the game's output.
# shellcheck shell=sh

# CTest reads exit status 77 as "skipped": a missing tool is not a fault of the game.
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

need_wayland_plugin() {
    for plugin in /usr/lib/*/qt6/plugins/platforms/libqwayland-*.so; do [ -e "$plugin" ] && return 0; done
    echo "SKIP: Qt's Wayland platform plugin is not installed"
    exit 77
}

# A test names the file the game's output goes to in game_log; every failure then shows it.
game_log=
fail() {
    echo "FAIL: $*"
    if [ -n "$game_log" ] && [ -s "$game_log" ]; then
        echo "--- the game's output ---"
        cat "$game_log"
        echo "--- end of the game's output ---"
    elif [ -n "$game_log" ] && [ -e "$game_log" ]; then
        echo "(the game printed nothing)"
    fi
    exit 1
}
