#!/usr/bin/env bash
# Fullscreen games on the real engine, with or without a window manager: a
# canvas (or the document) asking for fullscreen gets the whole screen, the
# rest of the window is hidden, a notice says how to leave; Escape gives the
# window back exactly (place, size, maximised, the focused control). F11 does
# the same for any page.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
start_pages
start_program

type_address "$SITE/game.htm"
wait_for "d['tabs'][0]['title'] == 'game'" 30
read -r CX CY <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 100, d['controls']['PclParent']['y'] + 80)")"
click_at "$CX" "$CY"
wait_for "d['focus'] == 'WebAction'"
BEFORE=$(q "(d['player']['x'], d['player']['y'], d['player']['w'], d['player']['h'], d['player']['maximized'], d['focus'])")

check_full() { # FROM_PAGE
  wait_for "d['player']['fullScreen'] and d['player']['fullScreenFromPage'] == $1 and d['player']['x'] == 0 and d['player']['y'] == 0 and d['player']['w'] == d['player']['screenW'] and d['player']['h'] == d['player']['screenH']" 10
  wait_for "'Esc' in d['player']['fullScreenHint']" 5
  # The page's view covers the screen: its top-left corner shows the page.
  import -window root "$WORK/screen.png"
  convert "$WORK/screen.png" -crop 4x4+8+8 "$WORK/corner.ppm"
  python3 - "$WORK/corner.ppm" "$1" <<'PY' || fail "the screen's corner is not the page"
import sys
data = open(sys.argv[1], 'rb').read()
px = data[-3:]
# The game page's own colour (#123 body, #2a6 canvas) must be there, not the skin.
ok = tuple(px) in ((0x11, 0x22, 0x33), (0x22, 0xaa, 0x66), (0, 0, 0))
if not ok: print('corner pixel', tuple(px))
sys.exit(0 if ok else 1)
PY
}
check_back() {
  wait_for "not d['player']['fullScreen']" 10
  wait_for "(d['player']['x'], d['player']['y'], d['player']['w'], d['player']['h'], d['player']['maximized'], d['focus']) == $BEFORE" 10
  [ "$(q "d['player']['fullScreenHint']")" = "" ] || fail "the notice stayed"
}

# The canvas asks.
click_at "$CX" "$CY"
check_full True
wait_for "d['tabs'][0]['title'] == 'full %dx%d' % (d['player']['screenW'], d['player']['screenH'])" 10
xdotool key Escape
check_back
wait_for "d['tabs'][0]['title'] == 'game'"

# F11 on the page, then F11 again; then F11 and Escape.
xdotool key F11
check_full False
xdotool key F11
check_back
xdotool key F11
check_full False
xdotool key Escape
check_back
quit_program
echo "PASS"
