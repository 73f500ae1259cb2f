#!/usr/bin/env bash
# The real program under Xvfb: it starts maximised with one blank tab, a page
# that opens a window gets a second tab, tabs close through the tab menu and
# the close button, and the close question answered No keeps the window
# while Yes ends the program. Checked through the state dump.
source "$(dirname "$0")/lib.sh"

start_program
wait_for "len(d['tabs']) == 1 and d['tabs'][0]['caption'] == 'about:blank'"
[ "$(q "d['caption']")" = "星帆IE" ] || fail "caption"
[ "$(q "d['controls']['palLeft']['visible']")" = "True" ] || fail "left pane hidden at start"
[ "$(q "d['controls']['palLeftMainClient']['visible']")" = "False" ] || fail "favourites area shown at start"

# A page that opens a window on load: typed into the address box.
type_address "file://$HERE/app/opener.htm"
wait_for "len(d['tabs']) == 2 and d['activePageIndex'] == 1" 30
wait_for "d['tabs'][1]['caption'] == '弹出页面'" 30

# Close the new tab through the tab menu ("关闭").
read -r PX PY <<< "$(centre PclParent)"
TY=$(q "d['controls']['PclParent']['y'] + 8")
TX=$(q "d['controls']['PclParent']['x'] + 120")
click_at "$TX" "$TY" 3
sleep 0.5
dump
MENU=$(q "[i for m in d.get('openMenus', []) for i in m if i['name'] == 'N1']")
if [ "$MENU" != "[]" ]; then
  MX=$(q "[i for m in d['openMenus'] for i in m if i['name']=='N1'][0]['x'] + 10")
  MY=$(q "[i for m in d['openMenus'] for i in m if i['name']=='N1'][0]['y'] + 5")
  click_at "$MX" "$MY"
else
  # The menu lists itself only once the menu state is in the dump; its
  # first item sits just below the pointer.
  xdotool mousemove_relative 20 8 click 1
fi
wait_for "len(d['tabs']) == 1" 20

# Open a tab with the new-page button, then close it with the close button.
read -r NX NY <<< "$(centre btnNewPage)"
click_at "$NX" "$NY"
wait_for "len(d['tabs']) == 2"
read -r CX CY <<< "$(centre btnClosePage)"
click_at "$CX" "$CY"
wait_for "len(d['tabs']) == 1"

# The close question: No keeps everything, Yes ends the program.
answer_close alt+n
sleep 1
kill -0 $PID 2>/dev/null || fail "the program ended although the question was answered No"
wait_for "len(d['tabs']) == 1 and any(b['text'] == '您确定退出整个星帆吗！' and b['caption'] == '确认退出' for b in d['messageBoxes'])"
answer_close alt+y
for _ in $(seq 1 50); do kill -0 $PID 2>/dev/null || break; sleep 0.2; done
kill -0 $PID 2>/dev/null && fail "the program did not end after Yes"
[ -s "$XINGFAN_STATE_DUMP" ] || fail "no state dump at exit"
echo "PASS"
