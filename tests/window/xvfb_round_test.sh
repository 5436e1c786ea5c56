#!/bin/sh
# A whole round on the real game under an X server, played as a player would: clicks, the minute, Yes, then No.
set -u
game=$1
. "$(dirname "$0")/../support/testlib.sh"
start_x_session

show_game 30 "$game"
crop "$main" record-before 201x34+0+232

# 20 clicks: the dial turns round(20 * 255 / 180) = 28 red, the needle stands at 20 degrees.
click_to 20 30 28,255,0
await_pixel 120 45 0,255,255 || fail "the needle is not at 20 degrees: $seen"

start=$(date +%s)
await_verdict 75
elapsed=$(( $(date +%s) - start ))
{ [ "$elapsed" -ge 57 ] && [ "$elapsed" -le 62 ]; } || fail "verdict came $elapsed s after the clicks"

# Yes, after a pause (keys right at the bell are taken as presses still on their way), asks again in the same window.
sleep 0.5
xdotool windowfocus --sync "$prompt" key Return
sleep 0.5
again=$(xdotool search --onlyvisible --name '^Blah$' | head -n 1)
[ -n "$again" ] || fail "Yes did not keep the verdict up"
[ "$again" = "$prompt" ] || fail "Yes made the verdict a new window: $again, first $prompt"
answer_no "$again"

# Idle: the needle is back up, the colour kept, the record label rewritten.
await_pixel 120 45 28,255,0 || fail "the needle did not return: $seen"
[ "$(dial_colour)" = "28,255,0" ] || fail "the dial lost the round's colour"
crop "$main" record-after 201x34+0+232
same_image "$session_dir/record-before.png" "$session_dir/record-after.png" && fail "the record label did not change"

# The next click starts a new round from one.
click_to 1 0 1,255,0
kill -0 "$game_pid" || fail "the game died"
echo "round played: verdict after ${elapsed}s, Yes showed it again, No ended it, record rewritten, new round started"
