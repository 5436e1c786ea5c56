# Sourced by the Wayland tests: a headless sway of their own, run as an unprivileged user, and the game on it.
# Skips (status 77) where sway or its tools are missing. Every program of the session runs as that user, through as_user.
# shellcheck shell=sh
. "$(dirname "$0")/../support/testlib.sh"
need sway swaymsg wtype grim setpriv python3 convert
need_wayland_plugin
# sway refuses to run as root; nobody exists on every Debian machine.
session_user=nobody
session_dir=$(mktemp -d)
chmod 755 "$session_dir"
runtime=$session_dir/runtime
mkdir -m 700 "$runtime"
game_log=$session_dir/game.log
sway_log=$session_dir/sway.log
: >"$game_log"
chown "$session_user" "$runtime" "$game_log"
game_pid=
sway_pid=
end_session() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    [ -n "$sway_pid" ] && kill "$sway_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$session_dir"
}
trap end_session EXIT

# Runs a command as the session's user, in the session's environment.
as_user() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid="$session_user" --regid="$(id -g "$session_user")" --clear-groups \
            env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-test "$@"
    else
        env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-test "$@"
    fi
}

# The same in the background; $! is then the command's own process, as setpriv and env replace themselves with it.
as_user_background() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid="$session_user" --regid="$(id -g "$session_user")" --clear-groups \
            env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-test "$@" &
    else
        env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-test "$@" &
    fi
}
unset DISPLAY
export QT_QPA_PLATFORM=wayland
cat >"$session_dir/config" <<'CONFIG'
output HEADLESS-1 resolution 1024x768
# Windows keep the size they ask for, as on a floating desktop.
for_window [app_id=".*"] floating enable
CONFIG
export WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1
as_user_background sway --config "$session_dir/config" >"$sway_log" 2>&1
sway_pid=$!
# sway names its socket itself; the test's name is a link to it.
for _ in $(seq 100); do
    socket=$(find "$runtime" -maxdepth 1 -name 'wayland-[0-9]*' -type s 2>/dev/null | head -n 1)
    [ -n "$socket" ] && break
    sleep 0.05
done
[ -n "$socket" ] || { cat "$sway_log"; fail "sway did not start"; }
as_user ln -s "$(basename "$socket")" "$runtime/wayland-test"
SWAYSOCK=$(find "$runtime" -maxdepth 1 -name 'sway-ipc.*' | head -n 1)
for _ in $(seq 100); do
    [ -n "$SWAYSOCK" ] && break
    sleep 0.05
    SWAYSOCK=$(find "$runtime" -maxdepth 1 -name 'sway-ipc.*' | head -n 1)
done
export SWAYSOCK

# Starts the game (or a program in its place) in the background as the session's user.
start_game() {
    as_user_background "$@" >"$game_log" 2>&1
    game_pid=$!
}

# What sway knows of the game's windows, one line each: title, focused, urgent, width x height, sway's id, and where
# the window's content sits on the screen.
windows() {
    as_user swaymsg -t get_tree -r | python3 -c '
import json, sys
def walk(node):
    if node.get("pid") and node.get("type") in ("con", "floating_con"):
        rect, inner = node["rect"], node["window_rect"]
        print("%s|focused=%s|urgent=%s|%dx%d|id=%d|at=%d,%d" % (node.get("name"), node.get("focused"), node.get("urgent"),
              inner["width"], inner["height"], node["id"], rect["x"] + inner["x"], rect["y"] + inner["y"]))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}

# Waits up to SECONDS for a window line matching the extended regular expression PATTERN.
await_window() {
    for _ in $(seq $(( $2 * 10 ))); do
        windows | grep -Eq "$1" && return 0
        sleep 0.1
    done
    echo "--- sway's windows ---"; windows
    return 1
}

# Asks sway to close the focused window, as its close binding does.
close_focused() { as_user swaymsg kill >/dev/null; }

# Asks sway to close the board, as its close binding does with the board focused.
close_board() {
    focus_title 'Der Tastenrenner'
    close_focused
}

# Focuses the window titled TITLE.
focus_title() { as_user swaymsg "[title=\"^$1\$\"] focus" >/dev/null; }

# Sends wtype's key options (-k KEY, -P KEY, -s MS, ...) to the focused window. wtype brings a virtual keyboard of its
# own each time: the pauses let sway take its keymap before the first key and deliver the last release before the
# keyboard goes. Keys that must all count go in one call, on one keyboard.
press() { as_user wtype -s 200 "$@" -s 200; }

# Colour of the pixel X,Y of the window titled TITLE, as "R,G,B", read from a screenshot of the compositor's output:
# the game's window is known here by its title.
main='Der Tastenrenner'
pixel() {
    at=$(windows | grep "^$1|" | head -n 1 | sed 's/.*|at=//')
    [ -n "$at" ] || { echo "no window"; return; }
    as_user grim -g "$(( ${at%,*} + $2 )),$(( ${at#*,} + $3 )) 1x1" "$runtime/pixel.png" || { echo "no screenshot"; return; }
    convert "$runtime/pixel.png" -format "%[fx:int(255*p{0,0}.r)],%[fx:int(255*p{0,0}.g)],%[fx:int(255*p{0,0}.b)]" info:-
}

