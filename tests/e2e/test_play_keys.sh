#!/usr/bin/env bash
# The browser's own keys on the real engine. A focused game page gets its
# keys exactly once (arrows, space, WASD, Tab, Enter, Backspace in a field,
# Escape under pointer lock); the keys the page leaves unused do what a
# browser does (F5, Escape, Alt+Left/Right, Backspace, Ctrl+N, Ctrl+A,
# Ctrl+wheel); the window's keys work with the page focused (Ctrl+T,
# Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+W, Ctrl+L, Alt+D, Ctrl+plus/minus/0, F11)
# and the menus name their keys.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
start_pages
start_program

click_page() { read -r CX CY <<< "$(page_centre)"; click_at "$CX" "$CY"; sleep 0.3; }
title_is() { wait_for "[t for t in d['tabs'] if t['active']][0]['title'] == '$1'" "${2:-20}"; }

# --- game keys reach the page once each --------------------------------------
type_address "$SITE/keys.htm#lock"
title_is keys 30
# Into the field: Backspace there is the page's, also when the field is empty.
read -r FX FY <<< "$(q "'%d %d' % (d['controls']['skTabSheet1']['x'] + 100, d['controls']['skTabSheet1']['y'] + 55)")"
for _ in 1 2 3; do
  click_at "$FX" "$FY"
  sleep 0.5
  dump
  [ "$(active title)" = field ] && break
done
title_is field
xdotool key --delay 60 BackSpace BackSpace
title_is "Backspace=2"
# The canvas below it takes the pointer (pointer lock): the game's keys.
click_page
title_is "L Backspace=2"
xdotool key --delay 60 Left Right Up Down space w a s d Tab Return
title_is "L ArrowDown=1 ArrowLeft=1 ArrowRight=1 ArrowUp=1 Backspace=2 Enter=1 Space=1 Tab=1 a=1 d=1 s=1 w=1"
# Escape ends the pointer lock and still reaches the game, once.
xdotool key Escape
title_is "ArrowDown=1 ArrowLeft=1 ArrowRight=1 ArrowUp=1 Backspace=2 Enter=1 EscapeLocked=1 Space=1 Tab=1 a=1 d=1 s=1 w=1"
[ "$(q "d['tabs'][0]['url']")" = "$SITE/keys.htm#lock" ] || fail "a game key moved the page: $(q "d['tabs'][0]['url']")"

# --- keys the page leaves unused -------------------------------------------------
type_address "$SITE/count"
title_is "count 1" 30
click_page
xdotool key F5
title_is "count 2"

type_address "$SITE/a.htm"
title_is "page a" 30
click_page
xdotool key ctrl+a
title_is "page a selected"
read -r LX LY <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 40, d['controls']['PclParent']['y'] + 95)")"
click_at "$LX" "$LY"     # the link to b
title_is "page b" 30
click_page
url_is() { wait_for "[t for t in d['tabs'] if t['active']][0]['url'] == '$SITE/$1'" 30; }
xdotool key alt+Left
url_is a.htm
xdotool key alt+Right
url_is b.htm
xdotool key BackSpace
url_is a.htm

# Ctrl+N: the same page in a new tab, through the new-window path.
dump
N=$(q "len(d['tabs'])")
xdotool key ctrl+n
wait_for "len(d['tabs']) == $N + 1 and d['tabs'][-1]['active'] and d['tabs'][-1]['url'] == '$SITE/a.htm'" 30
N=$(( N + 1 ))

# Ctrl+wheel over the page: the text size and the menu's mark follow.
click_page
xdotool keydown ctrl click 4 keyup ctrl
wait_for "d['checked']['mnuMore'] and not d['checked']['mnuIn']"
xdotool keydown ctrl click 5 click 5 click 5 keyup ctrl
wait_for "d['checked']['mnuMin'] and not d['checked']['mnuMore']"

# --- the window's keys while the page has the keyboard ------------------------------
click_page
xdotool key ctrl+0
wait_for "d['checked']['mnuIn'] and not d['checked']['mnuMin']"
xdotool key ctrl+equal
wait_for "d['checked']['mnuMore']"
xdotool key ctrl+minus ctrl+minus
wait_for "d['checked']['mnuSmaller']"
xdotool key ctrl+t
wait_for "len(d['tabs']) == $N + 1 and d['activePageIndex'] == $N and d['tabs'][$N]['caption'] == 'about:blank'"
xdotool key ctrl+Tab
wait_for "d['activePageIndex'] == 0"
xdotool key ctrl+shift+Tab
wait_for "d['activePageIndex'] == $N"
xdotool key ctrl+w
wait_for "len(d['tabs']) == $N and d['activePageIndex'] == $N - 1"
click_page
xdotool key ctrl+l
wait_for "d['focus'] == 'cmbAddr'"
xdotool type --delay 5 "$SITE/b.htm"
xdotool key Return
title_is "page b" 30
click_page
xdotool key alt+d
wait_for "d['focus'] == 'cmbAddr'"
xdotool type --delay 5 "$SITE/count"
xdotool key Return
title_is "count 3" 30
[ "$(q "d['address']")" = "$SITE/count" ] || fail "address box: $(q "d['address']")"

# --- menus show the keys ------------------------------------------------------------------
wait_for "d['player']['shortCuts']['mnuRefresh'] == 'F5' and d['player']['shortCuts']['mnuSelectAll'] == 'Ctrl+A' and d['player']['shortCuts']['mnuNew'] == 'Ctrl+T'"
quit_program
echo "PASS"
