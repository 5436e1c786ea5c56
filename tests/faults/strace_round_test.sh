#!/bin/sh
# A whole round of the real game under strace: it writes no file, talks to nothing but its X display, starts no
# process, and a command line that the toolkit would obey changes nothing.
set -u
game=$1 close_window=$2
. "$(dirname "$0")/../support/testlib.sh"
need strace
start_x_session
# As in a desktop session, no session bus. Caches go to a folder of the test's.
export XDG_CACHE_HOME="$session_dir/cache"
unset DBUS_SESSION_BUS_ADDRESS
trace=$session_dir/trace

# The design board as the game shows it without arguments.
show_game 30 "$game"
crop "$main" plain
# This run only gives the picture to compare with; the traced run below is the one closed by its window.
terminate_game 10

# Each of these the toolkit would act on if it were handed the command line: another platform, size, title,
# direction, style, or display.
show_game 20 strace -f --seccomp-bpf -qq -o "$trace" -e trace=%file,socket,connect,bind,listen,%process \
    "$game" --foo bar -platform offscreen -qwindowgeometry 300x300+40+40 -qwindowtitle Fremd -reverse \
    -style windows -display :99
xdotool getwindowgeometry "$main" | grep -q 'Position: 0,0' || fail "moved: $(xdotool getwindowgeometry "$main")"
xdotool getwindowgeometry "$main" | grep -q 'Geometry: 201x266' || fail "resized: $(xdotool getwindowgeometry "$main")"
crop "$main" with-arguments
same_image "$session_dir/plain.png" "$session_dir/with-arguments.png" || fail "the board looks different with arguments"

# The round, as in play.
play_round 30
close_game 10 || fail "the game ended with status $?"
[ -s "$game_log" ] && fail "the game said something"

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
