#!/usr/bin/env bash
# Closing a tab asks its page first (beforeunload on the real engine), for
# the close button, the tab menu and Ctrl+W: "stay" keeps the tab, "leave"
# closes it; a page that does not ask closes at once.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
start_pages
start_program

open_leave_tab() {
  click_at $(centre btnNewPage)
  wait_for "len(d['tabs']) == 2 and d['activePageIndex'] == 1"
  type_address "$SITE/leave.htm"
  wait_for "d['tabs'][1]['title'] == 'leave'" 30
  # The page asks only after the user has done something in it.
  read -r CX CY <<< "$(page_centre)"
  click_at "$CX" "$CY"
  wait_for "d['tabs'][1]['title'] == 'leave touched'"
}
still_open() { sleep 2; dump; [ "$(q "len(d['tabs'])")" = 2 ] || fail "$1: the tab went without asking"; }

# The first tab in use, so that typed addresses go to the blank new tab.
type_address "$SITE/b.htm"
wait_for "d['tabs'][0]['title'] == 'page b'" 30
open_leave_tab
# answer KEY: the question is shown; the key chord answers it.
answer() {
  local box=""
  for _ in $(seq 1 50); do
    box=$(xdotool search --name '^离开此页$' 2>/dev/null | head -1 || true)
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "the page did not ask"
  sleep 0.3
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key "$1"
}
# The close button: the page asks; No keeps it.
click_at $(centre btnClosePage)
answer alt+n
still_open "stay"
# Ctrl+W: asked again; Yes leaves.
read -r CX CY <<< "$(page_centre)"
click_at "$CX" "$CY"
xdotool key ctrl+w
answer alt+y
wait_for "len(d['tabs']) == 1 and d['activePageIndex'] == 0"

# The tab menu's "关闭".
open_leave_tab
read -r TX TY <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 100, d['controls']['PclParent']['y'] + 5)")"
click_at "$TX" "$TY" 3
wait_for "len(d['openMenus']) == 1"
settle_menus
choose N1 0
answer alt+y
wait_for "len(d['tabs']) == 1"

# A page without the question closes at once.
click_at $(centre btnNewPage)
wait_for "len(d['tabs']) == 2"
type_address "$SITE/a.htm"
wait_for "d['tabs'][1]['title'] == 'page a'" 30
click_at $(centre btnClosePage)
wait_for "len(d['tabs']) == 1" 5
quit_program
echo "PASS"
