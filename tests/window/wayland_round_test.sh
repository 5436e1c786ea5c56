#!/bin/sh
# A round played from the keyboard under sway: each press counts once by the dial's exact colour, a held key once, the
# verdict refuses Escape and the close request, Yes keeps it one window without flagging the board, No hands the focus back.
# usage: wayland_round_test.sh SHORT_ROUND_GAME
set -u
game=$1
. "$(dirname "$0")/sway_session.sh"

# A minute of 10 s leaves the presses time to land on a busy machine.
start_game "$game" 10000
await_window '^Der Tastenrenner\|focused=True\|urgent=False\|201x266' 10 || fail "the board did not show at 201x266 with the focus"
await_dial 0,255,0 10 || fail "the design dial is not green: $seen"

# Three taps and one key held past the compositor's repeat delay: four presses turn the dial round(4 * 255 / 180) = 6 red.
# One keyboard for all of them: a keyboard that comes and goes between presses can lose a press's key-down.
press -k space -s 200 -k space -s 200 -k space -s 200 -P space -s 1500 -p space
await_dial 6,255,0 5 || fail "three taps and a held key did not count four: the dial is $seen"

await_window '^Blah\|focused=True' 20 || fail "the verdict did not show with the focus after the minute"
box=$(windows | grep '^Blah|' | sed 's/.*|id=\([0-9]*\).*/\1/')
press -k Escape
close_focused
sleep 0.5
windows | grep -q "^Blah|focused=True|.*|id=$box|" || fail "Escape or the close request took the verdict away: $(windows)"

# Yes: the same window asks again, and the board behind it is not flagged.
press -k Return
sleep 0.5
windows | grep -q "^Blah|focused=True|.*|id=$box|" || fail "after Yes the verdict is not the same focused window: $(windows)"
windows | grep -q '^Der Tastenrenner|focused=False|urgent=False' || fail "Yes flagged the board: $(windows)"

press -k n
await_window '^Der Tastenrenner\|focused=True\|urgent=False' 5 || fail "No did not hand the focus back to the board"
windows | grep -q '^Blah|' && fail "No did not close the verdict"
[ "$(dial_colour)" = 6,255,0 ] || fail "the dial lost the round's colour"

# The focus is back on the button: the next Space starts a new round from one.
press -k space
await_dial 1,255,0 5 || fail "Space after the verdict did not start a new round: the dial is $seen"
await_game_end 5 close_board
status=$?
[ "$status" -eq 0 ] || fail "the game ended with status $status on the close request"
echo "played on sway: 4 presses counted, the verdict refused Escape and the close request, Yes kept it, No gave the focus back"
