#!/usr/bin/env bash
# The demo window on the screen: where the form put it, undecorated, with
# rounded top corners cut by its region, the form's colours at known points
# and the native view over its control's rectangle.
source "$(dirname "$0")/e2e_lib.sh"

start_demo
read -r X Y W H < <(geometry)
[ "$X $Y $W $H" = "100 80 640 480" ] || fail "window at $X $Y $W $H"
wait_state 'bounds == [100, 80, 640, 480] and hostBounds == bounds and active'
wait_pixel 125 95 0064C8

shot
expect_pixels \
    100 80 000000 \
    102 81 000000 \
    739 80 000000 \
    106 86 0064C8 \
    733 86 0064C8 \
    100 559 FFFFFF \
    739 559 808080 \
    125 135 008000 \
    265 135 FFFF00 \
    405 135 800080 \
    125 265 0000FF \
    319 379 0000FF \
    320 380 FFFFFF \
    119 265 FFFFFF \
    500 400 FFFFFF
not_pixel 740 300 FFFFFF
not_pixel 400 560 FFFFFF
[ "$($TOOL size "$SHOT")" = "1920x1080" ] || fail "screen is $($TOOL size "$SHOT")"
finish
