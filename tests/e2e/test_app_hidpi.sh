#!/usr/bin/env bash
# A HiDPI screen (GDK_SCALE=2): the window and its controls take twice the
# device pixels, the skin's text is drawn at device resolution (glyph edges
# with pixels of their own, not 2x2 blocks), clicks land where the controls
# show, and GDK_DPI_SCALE makes the skin's text larger.
source "$(dirname "$0")/lib.sh"

# menu_text_blocks: "SPLIT INKED" over the menu bar's buttons, in device
# pixels of a screenshot.
menu_text_blocks() {
  screenshot "$WORK/screen.ppm"
  read -r X Y W H <<< "$(q "(lambda b: '%d %d %d %d' % (2 * b[0]['x'], 2 * b[0]['y'], 2 * (b[-1]['x'] + b[-1]['w'] - b[0]['x']), 2 * b[0]['h']))(d['menuBar'])")"
  python3 "$HERE/e2e_tool.py" blocks "$WORK/screen.ppm" "$X" "$Y" "$W" "$H"
}

export GDK_SCALE=2
start_program
dump
[ "$(q "d['window']['scale']")" = 2 ] || fail "back buffer scale: $(q "d['window']")"
read -r W H <<< "$(xwininfo -id "$WIN" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')"
[ "$W" = "$(q "2 * d['window']['w']")" ] && [ "$H" = "$(q "2 * d['window']['h']")" ] ||
  fail "window ${W}x$H in device pixels for $(q "d['window']")"
sleep 0.5
read -r SPLIT INKED <<< "$(menu_text_blocks)"
echo "menu bar at scale 2: $SPLIT of $INKED inked 2x2 blocks split"
[ "$INKED" -ge 40 ] || fail "no menu captions at twice their window coordinates ($INKED inked blocks)"
# Pixel doubling splits none; glyph edges drawn at device pixels split most.
[ $((SPLIT * 3)) -ge "$INKED" ] || fail "blocky menu text: $SPLIT of $INKED blocks split"
WIDTH=$(q "d['menuBar'][0]['w']")

# A click at the device pixels of the first menu button opens its menu.
read -r X Y <<< "$(q "'%d %d' % (2 * d['menuBar'][0]['x'] + d['menuBar'][0]['w'], 2 * d['menuBar'][0]['y'] + d['menuBar'][0]['h'])")"
click_at "$X" "$Y"
wait_for "len(d['openMenus']) == 1"
xdotool key Escape
wait_for "len(d['openMenus']) == 0"
stop_program

# The screen's font resolution: larger text, so wider captions.
export GDK_DPI_SCALE=1.5
start_program
dump
LARGER=$(q "d['menuBar'][0]['w']")
[ "$LARGER" -gt "$WIDTH" ] || fail "GDK_DPI_SCALE=1.5 left the first menu button $LARGER wide (was $WIDTH)"
stop_program
echo "PASS"
