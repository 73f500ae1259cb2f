#!/usr/bin/env bash
# Real X input into the demo: clicks and double clicks, the wheel, typing
# into the edit, Chinese text through the input method, extended keys.
source "$(dirname "$0")/e2e_lib.sh"
# Ctrl+Shift+U and a code point is the entry of GTK's own simple input
# method, not of the locale's X input method.
export GTK_IM_MODULE=gtk-im-context-simple

start_demo
wait_pixel 125 135 008000

# A click toggles the panel's colour.
xdotool mousemove 160 160 click 1
wait_state 'clicks == 1 and toggleColor == 255'
wait_pixel 125 135 FF0000

# A double click: down, up, double-click, up.
xdotool click --repeat 2 --delay 60 1
wait_state 'doubleClicks == 1 and clicks == 3'

# Three notches up, one down.
xdotool click 4 click 4 click 4 click 5
wait_state 'wheel == 240'

# Typing into the edit, then a character composed by the input method
# (Ctrl+Shift+U 6587 is U+6587).
xdotool mousemove 200 222 click 1
wait_state 'focused == "edtText"'
xdotool type --delay 30 'abc'
wait_state 'edit == "abc"'
xdotool key --delay 50 ctrl+shift+u 6 5 8 7 space
wait_state 'edit == "abc文"'
xdotool key BackSpace
wait_state 'edit == "abc"'

# The arrow block is extended, the keypad's arrow (NumLock off) is not.
xdotool key Left
wait_state 'lastKey == 37 and lastKeyExtended'
xdotool key KP_Left
wait_state 'lastKey == 37 and not lastKeyExtended'
xdotool key Home
wait_state 'lastKey == 36 and lastKeyExtended'
xdotool type --delay 30 'Z'
wait_state 'edit == "Zabc"'
finish
