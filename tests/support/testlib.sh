# Sourced by the shell tests, the packaging checks and the bench: skipping, failing with the game's output, an X server
# of their own with the game on it, and the steps of a round played there.
# shellcheck shell=sh

# CTest reads exit status 77 as "skipped": a missing tool is not a fault of the game.
skip() {
    echo "SKIP: $*" >&2
    exit 77
}

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
    done
}

need_wayland_plugin() {
    for plugin in /usr/lib/*/qt6/plugins/platforms/libqwayland-*.so; do [ -e "$plugin" ] && return 0; done
    skip "Qt's Wayland platform plugin is not installed"
}

# A test names the file the game's output goes to in game_log (or several, such as its standard output and standard
# error apart); every failure then shows them.
game_log=${game_log:-}
fail() {
    echo "FAIL: $*" >&2
    for log in $game_log; do
        if [ -s "$log" ]; then
            echo "--- the game's output in ${log##*/} ---" >&2
            cat "$log" >&2
            echo "--- end of ${log##*/} ---" >&2
        elif [ -e "$log" ]; then
            echo "(the game printed nothing to ${log##*/})" >&2
        fi
    done
    exit 1
}

# Runs the calling script again inside a session bus of its own, unless it already runs in one.
in_own_session_bus() {
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ -n "${TASTENRENNER_OWN_BUS:-}" ] && return 0
    need dbus-run-session
    TASTENRENNER_OWN_BUS=1 exec dbus-run-session -- sh "$0" "$@"
}

# Waits up to SECONDS for COMMAND to print WANT, so that a check holds as soon as the game has drawn, however busy
# the machine; the last reading is left in $seen.
await_output() {
    want=$1 seconds=$2
    shift 2
    for _ in $(seq $((seconds * 10))); do
        seen=$("$@")
        [ "$seen" = "$want" ] && return 0
        sleep 0.1
    done
    return 1
}

# Waits up to SECONDS (10 by default) for the dial of the game's window ($main) to read WANT ("R,G,B").
await_dial() { await_output "$1" "${2:-10}" dial_colour; }
dial_colour() { pixel "$main" 100 180; }

# Waits up to SECONDS for the game ($game_pid) to end and returns its exit status; fails, with where its threads stand,
# if it outlives them. A COMMAND given is run at once and again every two seconds: now and then a toolkit window lets
# a close request pass (a bare Qt program missed 3 of 30 on a bare X server), and a player clicks the close box again.
await_game_end() {
    seconds=$1
    shift
    for tick in $(seq $((seconds * 10))); do
        if [ "$#" -gt 0 ] && [ $(((tick - 1) % 20)) -eq 0 ]; then
            "$@" || fail "could not ask the game to end"
        fi
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2>/dev/null; then
        command -v gdb >/dev/null 2>&1 && gdb -p "$game_pid" -batch -ex 'thread apply all bt' 2>/dev/null | grep -E '^(#|Thread)' | head -60
        fail "the game (or what runs it) still runs $seconds s after it was asked to end"
    fi
    wait "$game_pid"
    set -- "$?"
    game_pid=
    return "$1"
}

# Sends the game ($game_pid) a termination request, as the end of a desktop session does; it must end within SECONDS
# with status 0.
terminate_game() {
    kill -TERM "$game_pid"
    await_game_end "$1"
    set -- "$?"
    [ "$1" -eq 0 ] || fail "the game ended with status $1 on a termination request"
}

# An X server of the test's own, 640x480, with a private runtime folder as a desktop session has, so that the toolkit
# has nothing to say at start. Everything the game prints goes to $game_log; the session ends with the script.
start_x_session() {
    need Xvfb xdotool xwd convert compare
    session_dir=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$session_dir/display" 2>"$session_dir/xvfb.log" &
    xvfb_pid=$!
    game_pid=
    trap end_session EXIT
    for _ in $(seq 50); do [ -s "$session_dir/display" ] && break; sleep 0.1; done
    # Until the game runs, a failure shows what the X server said.
    game_log=$session_dir/xvfb.log
    [ -s "$session_dir/display" ] || fail "Xvfb did not start"
    DISPLAY=:$(cat "$session_dir/display")
    export DISPLAY
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    export XDG_RUNTIME_DIR="$session_dir/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    game_log=$session_dir/game.log
}

end_session() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$session_dir"
}

# Starts COMMAND in the background: the game, or a tool that runs it (start_game valgrind ... "$game").
start_game() {
    "$@" >"$game_log" 2>&1 &
    game_pid=$!
}

# Starts COMMAND as start_game does and waits up to SECONDS for the game's window to show the design board; its id is
# left in $main.
show_game() {
    seconds=$1
    shift
    start_game "$@"
    main=$(game_window "$seconds")
    [ -n "$main" ] || fail "no game window"
    await_dial 0,255,0 "$seconds" || fail "the design dial is not green: $seen"
}

# The id of the game's window (or of a window titled alike) once it is shown; empty after SECONDS.
game_window() {
    timeout "$1" xdotool search --sync --onlyvisible --name '^Der Tastenrenner$' | head -n 1
}

# Waits up to SECONDS for the verdict at the end of the minute; its window's id is left in $prompt.
await_verdict() {
    prompt=$(timeout "$1" xdotool search --sync --onlyvisible --name '^Blah$' | head -n 1)
    [ -n "$prompt" ] || fail "no verdict after the minute"
}

# Answers No in the verdict box PROMPT; within SECONDS (10 by default) the box must be gone. The box takes
# keys that follow the bell or each other too closely as presses still on their way, so the answer comes after
# a pause and is given again each second, as a player presses again when nothing happened.
answer_no() {
    sleep 0.5
    for tick in $(seq $((${2:-10} * 10))); do
        [ $(((tick - 1) % 10)) -eq 0 ] && xdotool windowfocus --sync "$1" key n
        [ -z "$(xdotool search --onlyvisible --name '^Blah$')" ] && return 0
        sleep 0.1
    done
    fail "No did not close the verdict"
}

# COUNT clicks on the button of the game's window, DELAY milliseconds apart.
click_button() {
    xdotool mousemove --window "$main" 40 215 click --repeat "$1" --delay "$2" 1
}

# COUNT clicks DELAY milliseconds apart, after which the dial must read COLOUR within SECONDS (10 by default).
click_to() {
    click_button "$1" "$2"
    await_dial "$3" "${4:-10}" || fail "after $1 clicks the dial is $seen"
}

# A round as in play: 20 clicks DELAY milliseconds apart turn the dial round(20 * 255 / 180) = 28 red, the minute
# ends, No is answered; each step may take SECONDS (10 by default) beyond the minute.
play_round() {
    click_to 20 "$1" 28,255,0 "${2:-10}"
    await_verdict $((60 + ${2:-10}))
    answer_no "$prompt" "${2:-10}"
}

# Asks the game to close its window as a close box would, with the tool named in $close_window; the game must end
# within SECONDS. Returns its exit status.
close_game() { await_game_end "$1" "${close_window:?}" "$main"; }

# Colour of one pixel of a window, as "R,G,B".
pixel() {
    xwd -silent -id "$1" | convert xwd:- -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:-
}

# Waits up to SECONDS (10 by default) for the pixel X,Y of the game's window to read WANT.
await_pixel() { await_output "$3" "${4:-10}" pixel "$main" "$1" "$2"; }

# A crop GEOMETRY of WINDOW, or the whole window, as NAME.png in the session folder.
crop() {
    xwd -silent -id "$1" | convert xwd:- ${3:+-crop "$3" +repage} "$session_dir/$2.png"
}

same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
