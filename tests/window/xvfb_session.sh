# Sourced by the end-to-end tests: an X server of their own, screenshots and pixel reads of the real game.
# Skips (status 77) where the tools are missing.
for tool in Xvfb xdotool xwd convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
session_dir=$(mktemp -d)
displayfd_file=$session_dir/display
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$displayfd_file" 2>"$session_dir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$displayfd_file" ] && break; sleep 0.1; done
[ -s "$displayfd_file" ] || { echo "FAIL: Xvfb did not start"; cat "$session_dir/xvfb.log"; exit 1; }
export DISPLAY=:$(cat "$displayfd_file")
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
end_session() {
    [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$session_dir"
}
trap end_session EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Colour of one pixel of a window, as "R,G,B".
pixel() {
    xwd -silent -id "$1" | convert xwd:- -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:-
}

# A crop of a window, as a PNG in the session folder.
crop() {
    xwd -silent -id "$1" | convert xwd:- -crop "$2" +repage "$session_dir/$3.png"
}

same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
