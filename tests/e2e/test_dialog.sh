#!/usr/bin/env bash
# A modal message box with the form's text, caption and buttons, answered
# from the keyboard; a pop-up window at screen coordinates that closes on
# a click outside it.
source "$(dirname "$0")/e2e_lib.sh"

start_demo
wait_pixel 265 135 FFFF00

# Return takes the default button (Yes).
xdotool mousemove 265 135 click 1
BOX=$(timeout 10 xdotool search --sync --onlyvisible --name '^提示$' | head -1) || fail "no message box"
sleep 0.3
xdotool key Return
wait_state 'asked == 1 and answer == 6'

# Escape cannot dismiss Yes/No; Alt+N answers No.
xdotool mousemove 265 135 click 1
BOX=$(timeout 10 xdotool search --sync --onlyvisible --name '^提示$' | head -1) || fail "no message box"
sleep 0.3
xdotool key Escape
sleep 0.5
xdotool search --onlyvisible --name '^提示$' >/dev/null || fail "Escape closed a Yes/No box"
xdotool key alt+n
wait_state 'asked == 2 and answer == 7'

# A right click opens the pop-up where the pointer is, above everything.
xdotool mousemove 180 150 click 3
wait_state 'popups == 1 and popupOpen'
wait_pixel 230 190 FF8000
shot
expect_pixels 180 150 FF8000 279 229 FF8000 281 231 FFFFFF

# A click outside closes it and goes no further.
xdotool mousemove 600 400 click 1
wait_state 'not popupOpen and popupCloseReason == 2'
wait_pixel 230 190 FFFFFF
[ "$(state clicks)" = "0" ] || fail "the closing click reached the form"

# While open, the pop-up has the keys: Escape closes it.
xdotool mousemove 180 150 click 3
wait_state 'popups == 2 and popupOpen'
wait_pixel 230 190 FF8000
xdotool key Escape
wait_state 'not popupOpen and popupCloseReason == 3'
wait_pixel 230 190 FFFFFF
finish
