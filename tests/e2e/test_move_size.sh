#!/usr/bin/env bash
# Moving by the caption strip (WM_NCLBUTTONDOWN with HTCAPTION), sizing by
# the grip (a border hit code), maximising to the work area and restoring,
# all without a window manager.
source "$(dirname "$0")/e2e_lib.sh"

start_demo
wait_pixel 125 95 0064C8

# Drag the caption strip by (+50, +60).
xdotool mousemove 400 95 mousedown 1
sleep 0.3
for step in 10 20 30 40 50; do
    xdotool mousemove $((400 + step)) $((95 + step * 6 / 5))
    sleep 0.05
done
xdotool mouseup 1
wait_state 'bounds == [150, 140, 640, 480] and hostBounds == bounds'
read -r X Y W H < <(geometry)
[ "$X $Y" = "150 140" ] || fail "moved window at $X $Y"
wait_pixel 175 155 0064C8
shot
expect_pixels 150 140 000000 175 195 008000

# Size it from the grip at the bottom-right corner by (+100, +50).
xdotool mousemove $((150 + 632)) $((140 + 472)) mousedown 1
sleep 0.3
for step in 20 40 60 80 100; do
    xdotool mousemove $((150 + 632 + step)) $((140 + 472 + step / 2))
    sleep 0.05
done
xdotool mouseup 1
wait_state 'bounds == [150, 140, 740, 530]'
read -r X Y W H < <(geometry)
[ "$W $H" = "740 530" ] || fail "sized window is $W x $H"
# The grip followed the corner and the region was redone for the new size.
wait_pixel $((150 + 739)) $((140 + 529)) 808080
shot
expect_pixels $((150 + 739)) 140 000000 $((150 + 733)) 146 0064C8 $((150 + 700)) $((140 + 500)) FFFFFF

# Maximise: the work area, without a window manager.
xdotool mousemove 510 220 click 1
wait_state 'windowState == 2 and bounds == workArea and hostBounds == workArea'
read -r X Y W H < <(geometry)
[ "$X $Y $W $H" = "0 0 1920 1080" ] || fail "maximised window at $X $Y $W $H"
wait_pixel 1919 1079 808080
shot
expect_pixels 10 10 0064C8 1910 10 0064C8

# Restore from the same button, back where it was.
xdotool mousemove 360 80 click 1
wait_state 'windowState == 0 and bounds == [150, 140, 740, 530]'
wait_pixel 175 155 0064C8
shot
expect_pixels 1900 1000 000000

# A double click on the caption maximises too.
xdotool mousemove 500 150 click --repeat 2 --delay 60 1
wait_state 'captionDoubleClicks == 1 and windowState == 2'
finish
