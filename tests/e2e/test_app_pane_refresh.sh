#!/usr/bin/env bash
# 刷新 reloads the browser that has the keyboard focus: the directory pane
# after its web process died and the user clicked into its error page (the
# page asks for 刷新), from the button, the menu and F5; the active tab
# when the focus is in its page.
source "$(dirname "$0")/lib.sh"
source "$HERE/site.sh"

printf '<!DOCTYPE html><html><head><meta charset="utf-8"><title>游戏页</title></head><body><p>游戏</p></body></html>\n' \
  > "$SITE_DIR/game.htm"
start_site
ERROR="无法显示网页"

start_program
wait_for "d['leftPane']['title'] == '游戏网址'"
type_address "$SITE/game.htm"
wait_for "d['tabs'][0]['title'] == '游戏页'"

# kill_pages: every web process dies; the pane and the tab show the error page.
kill_pages() {
  local pids
  pids=$(web_processes)
  [ -n "$pids" ] || fail "no web process found"
  kill -9 $pids
  wait_for "d['leftPane']['title'] == '$ERROR' and d['tabs'][0]['title'] == '$ERROR'"
}
click_pane() {
  read -r X Y <<< "$(q "'%d %d' % (d['controls']['webLeft']['x'] + d['controls']['webLeft']['w'] // 2, d['controls']['webLeft']['y'] + d['controls']['webLeft']['h'] - 20)")"
  click_at "$X" "$Y"
  wait_for "d['focus'] == 'webLeft'"
}

kill_pages
click_pane
read -r RX RY <<< "$(centre btnRefresh)"
click_at "$RX" "$RY"
wait_for "d['leftPane']['title'] == '游戏网址' and d['leftPane']['url'].endswith('left.htm')"
sleep 1
dump
[ "$(q "d['tabs'][0]['title']")" = "$ERROR" ] || fail "the tab was reloaded instead of the pane alone"

kill_pages
click_pane
open_bar "查看(V)"
choose mnuRefresh 0
wait_for "d['leftPane']['title'] == '游戏网址'"

kill_pages
click_pane
xdotool key F5
wait_for "d['leftPane']['title'] == '游戏网址'"

# The focus in the tab's page: 刷新 is the tab's.
read -r X Y <<< "$(centre FrameWebBrowserDefault)"
click_at "$X" "$Y"
wait_for "d['focus'] != 'webLeft'"
click_at "$RX" "$RY"
wait_for "d['tabs'][0]['title'] == '游戏页'"
quit_program
echo "PASS"
