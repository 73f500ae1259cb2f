#!/usr/bin/env bash
# The game search over the list the program imported from the local update
# server: the search box, typed into with real keys, opens the search page,
# and the page shows the games found by characters, full pinyin (a second
# reading of 地 included) and initials, best match first.
source "$(dirname "$0")/lib.sh"

game_list_folder 中国象棋 欢乐斗地主 象棋大师 连连看 "100% 赛车"

start_program "$WORK/bin"
for _ in $(seq 1 100); do [ "$(db 'select count(*) from RTKey')" = 5 ] && break; sleep 0.2; done
[ "$(db 'select count(*) from RT')" = 5 ] || fail "the list was not imported"
[ "$(db 'select count(*) from RTKey')" = 5 ] || fail "the list's search keys were not written"

# search TEXT EXPECTED_TITLE: types TEXT into the search box, presses Enter and
# waits for the new tab's page to show EXPECTED_TITLE.
search() {
  dump
  local tabs
  tabs=$(q "len(d['tabs'])")
  read -r X Y <<< "$(centre edtFindName)"
  click_at "$X" "$Y"
  wait_for "d['focus'] == 'edtFindName'"
  xdotool key End $(printf 'BackSpace %.0s' $(seq 1 20))
  wait_for "d['search'] == ''"
  xdotool type --delay 20 "$1"
  xdotool key Return
  wait_for "len(d['tabs']) == $tabs + 1 and d['tabs'][-1]['title'] == '''$2'''" 20
}

search xiangqi "搜索：xiangqi - 找到 2 款：象棋大师、中国象棋"
search xq "搜索：xq - 找到 2 款：象棋大师、中国象棋"
search zgxq "搜索：zgxq - 找到 1 款：中国象棋"
search doudizhu "搜索：doudizhu - 找到 1 款：欢乐斗地主"
search lianliankan "搜索：lianliankan - 找到 1 款：连连看"
search "%" "搜索：% - 找到 1 款：100% 赛车"
search "xyz" "搜索：xyz - 没有找到"
# Characters: the session's keyboard cannot type them without an input
# method engine, so the search page is opened from the address box with the
# text escaped, as a link to it would be.
read -r X Y <<< "$(q "'%d %d' % (d['controls']['cmbAddr']['x'] + 100, d['controls']['cmbAddr']['y'] + 10)")"
click_at "$X" "$Y"
wait_for "d['focus'] == 'cmbAddr'"
xdotool key End $(printf 'BackSpace %.0s' $(seq 1 120))
wait_for "d['address'] == ''"
xdotool type --delay 5 "file://$WORK/bin/Main.htm?Find=%E8%B1%A1%E6%A3%8B"
xdotool key Return
wait_for "any(t['url'].endswith('Find=%E8%B1%A1%E6%A3%8B') and t['title'] == '搜索：象棋 - 找到 2 款：象棋大师、中国象棋' for t in d['tabs'])" 20
echo "PASS"
