# Sourced by the end-to-end tests: an X server of their own, the game started and closed on it, screenshots and pixel reads.
# Skips (status 77) where the tools are missing. A script that closes the game sets close_window to the tool that does it.
# shellcheck shell=sh
. "$(dirname "$0")/../support/game_test.sh"
need Xvfb xdotool xwd convert compare
session_dir=$(mktemp -d)
displayfd_file=$session_dir/display
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$displayfd_file" 2>"$session_dir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$displayfd_file" ] && break; sleep 0.1; done
[ -s "$displayfd_file" ] || { echo "FAIL: Xvfb did not start"; cat "$session_dir/xvfb.log"; exit 1; }
DISPLAY=:$(cat "$displayfd_file")
export DISPLAY
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# What a desktop session provides: a private runtime folder, so that the toolkit has nothing to say at start.
export XDG_RUNTIME_DIR="$session_dir/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Everything the game prints, standard output and standard error, for the checks and for every failure.
game_log=$session_dir/game.log
game_pid=
end_session() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$session_dir"
}
trap end_session EXIT

# Starts the game in the background, or a tool that runs it: start_game "$game", start_game valgrind ... "$game".
start_game() {
    "$@" >"$game_log" 2>&1 &
    game_pid=$!
}

# The id of the game's window (or of a window titled alike) once it is shown; empty after SECONDS.
game_window() {
    timeout "$1" xdotool search --sync --onlyvisible --name '^Der Tastenrenner$' | head -n 1
}

# The id of the verdict box once it is shown; empty after SECONDS.
verdict_window() {
    timeout "$1" xdotool search --sync --onlyvisible --name '^Blah$' | head -n 1
}

# Answers No in the verdict box PROMPT; within SECONDS (10 by default) the box must be gone. The box takes
# keys that follow the bell or each other too closely as presses still on their way, so the answer comes after
# a pause and is given again each second, as a player presses again when nothing happened.
answer_no() {
    sleep 0.5
    for tick in $(seq $(( ${2:-10} * 10 ))); do
        [ $(( (tick - 1) % 10 )) -eq 0 ] && xdotool windowfocus --sync "$1" key n
        [ -z "$(xdotool search --onlyvisible --name '^Blah$')" ] && return 0
        sleep 0.1
    done
    fail "No did not close the verdict"
}

# COUNT clicks on the button of the game's window WINDOW, DELAY milliseconds apart.
click_button() {
    xdotool mousemove --window "$1" 40 215 click --repeat "$2" --delay "$3" 1
}

# Asks the game to close WINDOW as a close box would, waits up to SECONDS (10 by default) for the game to end, and
# returns the game's exit status. On this bare X server a Qt window now and then never receives the request (a bare
# Qt program missed 3 of 30 here too), so it is repeated every two seconds, as a player clicks the close box again.
close_game() {
    for tick in $(seq $(( ${2:-10} * 10 ))); do
        if [ $(( (tick - 1) % 20 )) -eq 0 ]; then
            "${close_window:?}" "$1" || fail "could not ask the game window to close"
        fi
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null && fail "the game (or what runs it) still runs ${2:-10} s after its window was closed"
    wait "$game_pid"
    set -- "$?"
    game_pid=
    return "$1"
}

# Colour of one pixel of a window, as "R,G,B".
pixel() {
    xwd -silent -id "$1" | convert xwd:- -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:-
}

# The colour of the dial of the game's window WINDOW, read inside it below the centre.
dial_colour() { pixel "$1" 100 180; }

# Waits up to SECONDS (10 by default) for the pixel X,Y of WINDOW to read WANT ("R,G,B"), so that a check
# holds as soon as the game has drawn, however busy the machine; the last reading is left in $seen.
await_pixel() {
    seen=
    for _ in $(seq $(( ${5:-10} * 10 ))); do
        seen=$(pixel "$1" "$2" "$3")
        [ "$seen" = "$4" ] && return 0
        sleep 0.1
    done
    return 1
}

# The same for the dial's colour.
await_dial() { await_pixel "$1" 100 180 "$2" "${3:-10}"; }

# A crop of a window, as a PNG in the session folder.
crop() {
    xwd -silent -id "$1" | convert xwd:- -crop "$2" +repage "$session_dir/$3.png"
}

same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
