#!/usr/bin/env bash
# The real program under Xvfb: it starts maximised with one blank tab, a page
# that opens a window gets a second tab, tabs close through the tab menu and
# the close button, and the close question answered No keeps the window
# while Yes ends the program. Checked through the state dump.
set -euo pipefail
BIN=${1:?bin dir}
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
trap 'kill $PID 2>/dev/null || true; rm -rf "$WORK"' EXIT
export XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data XDG_CACHE_HOME=$WORK/cache
export XINGFAN_REGISTRY=$WORK/registry.reg XINGFAN_STATE_DUMP=$WORK/state.json
export ASAN_OPTIONS=detect_leaks=0

"$BIN/xingfan" >"$WORK/out.log" 2>&1 &
PID=$!

fail() { echo "FAIL: $*"; echo "--- program output"; tail -50 "$WORK/out.log"; exit 1; }
dump() {
  rm -f "$XINGFAN_STATE_DUMP"
  kill -USR1 $PID
  for _ in $(seq 1 100); do [ -s "$XINGFAN_STATE_DUMP" ] && return 0; sleep 0.1; done
  fail "no state dump"
}
q() { python3 -c "import json,sys; d=json.load(open('$XINGFAN_STATE_DUMP')); print($1)"; }
wait_for() { # python expression over d, seconds
  for _ in $(seq 1 $(( ${2:-20} * 4 ))); do
    dump
    [ "$(q "$1")" = "True" ] && return 0
    sleep 0.25
  done
  fail "timed out waiting for: $1 (state: $(cat "$XINGFAN_STATE_DUMP"))"
}
click_at() { xdotool mousemove "$1" "$2" click "${3:-1}"; }
centre() { q "'%d %d' % (d['controls']['$1']['x'] + d['controls']['$1']['w']//2, d['controls']['$1']['y'] + d['controls']['$1']['h']//2)"; }

WIN=""
for _ in $(seq 1 150); do
  WIN=$(xdotool search --name '^星帆IE$' 2>/dev/null | head -1 || true)
  [ -n "$WIN" ] && break
  sleep 0.2
done
[ -n "$WIN" ] || fail "the main window did not appear"

wait_for "len(d['tabs']) == 1 and d['tabs'][0]['caption'] == 'about:blank'"
[ "$(q "d['caption']")" = "星帆IE" ] || fail "caption"
[ "$(q "d['controls']['palLeft']['visible']")" = "True" ] || fail "left pane hidden at start"
[ "$(q "d['controls']['palLeftMainClient']['visible']")" = "False" ] || fail "favourites area shown at start"

# A page that opens a window on load: typed into the address box.
read -r AX AY <<< "$(centre cmbAddr)"
click_at "$AX" "$AY"
xdotool key ctrl+a
xdotool type --delay 5 "file://$HERE/app/opener.htm"
xdotool key Return
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
answer() { # key chord for the question box
  python3 "$HERE/../../scripts/xclose.py" "$WIN"
  local dialog=""
  for _ in $(seq 1 50); do
    dialog=$(xdotool search --name '^确认退出$' 2>/dev/null | head -1 || true)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "no close question shown"
  sleep 0.3
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool key "$1"
}
answer alt+n
sleep 1
kill -0 $PID 2>/dev/null || fail "the program ended although the question was answered No"
wait_for "len(d['tabs']) == 1 and any(b['text'] == '您确定退出整个星帆吗！' and b['caption'] == '确认退出' for b in d['messageBoxes'])"
answer alt+y
for _ in $(seq 1 50); do kill -0 $PID 2>/dev/null || break; sleep 0.2; done
kill -0 $PID 2>/dev/null && fail "the program did not end after Yes"
[ -s "$XINGFAN_STATE_DUMP" ] || fail "no state dump at exit"
echo "PASS"
