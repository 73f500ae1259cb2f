#!/usr/bin/env bash
# Switching to another window with Alt+Tab and back leaves the menu bar as
# it was (no entry highlighted) and gives the keys to the control that had
# them; Escape after a menu opened with the mouse leaves the bar as well.
source "$(dirname "$0")/lib.sh"
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  { echo "SKIP: Alt+Tab is the window manager's"; exit 77; }
start_program
dump
read -r X Y <<< "$(centre edtFindName)"
click_at "$X" "$Y"
wait_for "d['focus'] == 'edtFindName'"
xdotool key ctrl+a BackSpace
xdotool type --delay 20 ab
wait_for "d['search'] == 'ab'"

OTHER_PID=""
trap 'stop_program; [ -z "$OTHER_PID" ] || kill "$OTHER_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
xmessage -geometry 300x80+400+400 -name other 'another window' &
OTHER_PID=$!
OTHER=""
for _ in $(seq 1 50); do
  OTHER=$(xdotool search --onlyvisible --name '^other$' 2>/dev/null | head -1 || true)
  [ -n "$OTHER" ] && break
  sleep 0.1
done
[ -n "$OTHER" ] || fail "no other window"
xdotool windowactivate --sync "$WIN"
wait_for "d['player']['active']"

for round in 1 2; do
  xdotool key alt+Tab
  wait_for "not d['player']['active']"
  [ "$(xdotool getactivewindow)" = "$OTHER" ] || fail "Alt+Tab did not reach the other window"
  xdotool key alt+Tab
  wait_for "d['player']['active']"
  wait_for "not d['menuBarKeyboard'] and d['openMenus'] == [] and d['focus'] == 'edtFindName'"
  xdotool type --delay 20 "c$round"
  wait_for "d['search'] == 'ab' + ''.join('c%d' % r for r in range(1, $round + 1))"
done

# A menu opened with the mouse, closed with Escape: typing goes on.
open_bar '文件(F)'
xdotool key Escape
wait_for "d['openMenus'] == [] and not d['menuBarKeyboard']"
xdotool type --delay 20 z
wait_for "d['search'] == 'abc1c2z'"
# Alt on its own still enters the bar; Escape leaves it.
xdotool key alt
wait_for "d['menuBarKeyboard']"
xdotool key Escape
wait_for "not d['menuBarKeyboard']"
quit_program
echo "PASS"
