#!/usr/bin/env bash
# Links into background tabs on the real engine: a middle click and a
# Ctrl+click open the link in a new tab that stays behind the current one
# (also for a link that asks for a new window), and so does the web view's
# own context menu; the page itself stays where it was.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
start_pages
start_program

type_address "$SITE/links.htm"
wait_for "d['tabs'][0]['title'] == 'links'" 30
read -r PX PY <<< "$(q "'%d %d' % (d['controls']['skTabSheet1']['x'], d['controls']['skTabSheet1']['y'])")"
ONE_X=$(( PX + 60 )); ONE_Y=$(( PY + 50 ))
TWO_X=$(( PX + 60 )); TWO_Y=$(( PY + 160 ))

click_at "$ONE_X" "$ONE_Y" 2
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['url'] == '$SITE/a.htm'" 30
wait_for "d['activePageIndex'] == 0 and d['tabs'][0]['url'] == '$SITE/links.htm'"

xdotool mousemove "$TWO_X" "$TWO_Y" keydown ctrl click 1 keyup ctrl
wait_for "len(d['tabs']) == 3 and d['tabs'][2]['url'] == '$SITE/b.htm'" 30
wait_for "d['activePageIndex'] == 0 and d['tabs'][0]['url'] == '$SITE/links.htm'"

# The context menu: its second entry is ours, where the new-window entry was.
click_at "$ONE_X" "$ONE_Y" 3
sleep 0.8
xdotool key --delay 100 Down Down Return
wait_for "len(d['tabs']) == 4 and d['tabs'][3]['url'] == '$SITE/a.htm'" 30
wait_for "d['activePageIndex'] == 0 and d['tabs'][0]['url'] == '$SITE/links.htm'"

# A plain click still opens the link in place; the tabs behind keep their pages.
click_at "$ONE_X" "$ONE_Y"
wait_for "d['tabs'][0]['url'] == '$SITE/a.htm' and len(d['tabs']) == 4" 30
quit_program
echo "PASS"
