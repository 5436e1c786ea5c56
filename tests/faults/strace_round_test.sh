#!/bin/sh
# A whole round of the real game under strace: it writes no file, talks to nothing but its X display, starts no
# process, and a command line that the toolkit would obey changes nothing.
set -u
game=$1
close_window=$2
. "$(dirname "$0")/../window/xvfb_session.sh"
command -v compare >/dev/null 2>&1 || { echo "SKIP: compare (ImageMagick) is not installed"; exit 77; }
command -v strace >/dev/null 2>&1 || { echo "SKIP: strace is not installed"; exit 77; }
# What a desktop session provides: a private runtime folder, no session bus. Caches go to a folder of the test's.
export XDG_RUNTIME_DIR=$session_dir/runtime XDG_CACHE_HOME=$session_dir/cache
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS
trace=$session_dir/trace

game_window() { xdotool search --sync --onlyvisible --name '^Der Tastenrenner$' | head -n 1; }
close_game() {
    "$close_window" "$1" || fail "could not ask the game window to close"
    for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null && fail "the game (or something it started) is still running 10 s after its window closed"
    wait "$game_pid"
    status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "the game ended with status $status: $(cat "$session_dir/game.log")"
}

# The design board as the game shows it without arguments.
"$game" 2>"$session_dir/game.log" &
game_pid=$!
main=$(game_window)
[ -n "$main" ] || fail "no game window"
sleep 0.5
xwd -silent -id "$main" | convert xwd:- "$session_dir/plain.png"
close_game "$main"

# Each of these the toolkit would act on if it were handed the command line: another platform, size, title,
# direction, style, or display.
strace -f --seccomp-bpf -qq -o "$trace" -e trace=%file,socket,connect,bind,listen,%process \
    "$game" --foo bar -platform offscreen -qwindowgeometry 300x300+40+40 -qwindowtitle Fremd -reverse \
    -style windows -display :99 2>"$session_dir/game.log" &
game_pid=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Der Tastenrenner$' | head -n 1)
[ -n "$main" ] || fail "with arguments there is no game window: $(cat "$session_dir/game.log")"
sleep 0.5
xdotool getwindowgeometry "$main" | grep -q 'Position: 0,0' || fail "moved: $(xdotool getwindowgeometry "$main")"
xdotool getwindowgeometry "$main" | grep -q 'Geometry: 201x266' || fail "resized: $(xdotool getwindowgeometry "$main")"
xwd -silent -id "$main" | convert xwd:- "$session_dir/with-arguments.png"
same_image "$session_dir/plain.png" "$session_dir/with-arguments.png" || fail "the board looks different with arguments"

# The round, as in play.
xdotool mousemove --window "$main" 40 215 click --repeat 20 --delay 30 1
sleep 0.3
[ "$(pixel "$main" 100 180)" = "28,255,0" ] || fail "after 20 clicks the dial is $(pixel "$main" 100 180)"
prompt=$(timeout 75 xdotool search --sync --onlyvisible --name '^Blah$' | head -n 1)
[ -n "$prompt" ] || fail "no verdict after the minute"
xdotool windowfocus --sync "$prompt" key n
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '^Blah$')" ] || fail "No did not close the verdict"
close_game "$main"
[ -s "$session_dir/game.log" ] && fail "the game said something: $(cat "$session_dir/game.log")"

# The toolkit's own, allowed: Qt makes sure the runtime folder exists (a mkdir that finds it there), and
# fontconfig may refresh its cache of font lists in the user's cache folder when the system's is stale.
# The system's: glibc asks the name-service cache daemon for the user's entry whenever the toolkit looks the
# user up (Qt does for a runtime folder of its own where none is set). Everything else that creates, writes,
# renames or removes a file, and any socket that is not the X display's, is the game's doing.
display_socket="/tmp/.X11-unix/X${DISPLAY#:}"
writes=$(grep -E '^[0-9]+ +(open|openat|openat2)\(.*O_(WRONLY|RDWR|CREAT|TRUNC)|^[0-9]+ +(creat|mkdir|mkdirat|unlink|unlinkat|rmdir|rename|renameat|renameat2|link|linkat|symlink|symlinkat|truncate|chmod|fchmodat|chown|lchown|fchownat|mknod|mknodat|utimensat)\(' "$trace" |
         grep -vF "mkdir(\"$XDG_RUNTIME_DIR\", 0700)" | grep -vF "\"$XDG_CACHE_HOME/fontconfig")
sockets=$(grep -E '^[0-9]+ +(socket|connect|bind|listen)\(' "$trace" |
          grep -vE '^[0-9]+ +socket\(AF_UNIX,' |
          grep -vF "sun_path=@\"$display_socket\"" | grep -vF "sun_path=\"$display_socket\"" |
          grep -vF 'sun_path="/var/run/nscd/socket"')
processes=$(grep -E '^[0-9]+ +(execve|execveat|fork|vfork|clone|clone3)\(' "$trace" | grep -v 'CLONE_THREAD' | tail -n +2)
command_line=$(grep -E 'cmdline' "$trace")
fonts=$(grep -cF "\"$XDG_CACHE_HOME/fontconfig" "$trace")
echo "strace: $(wc -l < "$trace") calls traced; display connections: $(grep -cF "$display_socket" "$trace");" \
     "name-service look-ups: $(grep -c 'nscd/socket' "$trace"); fontconfig cache calls: $fonts"
[ -z "$writes" ] || fail "the game wrote to files: $writes"
[ -z "$sockets" ] || fail "the game used sockets besides its display: $sockets"
[ -z "$processes" ] || fail "the game started processes: $processes"
[ -z "$command_line" ] || fail "the game read a command line: $command_line"
echo "whole round with stray arguments: same board, no file written, only the display's socket, no process started"
