#!/usr/bin/env bash
# The search box's drop-down over the list the program imported from the
# local update server: pinyin initials typed with real keys offer the
# games, drawn under the box in the skin; an input method's pre-edit text
# still composes in the box while it is open; Down and Enter choose a game
# and search it, a click chooses too, Escape only closes the drop-down, and
# Enter without a chosen row and the search button search the typed text
# as before.
source "$(dirname "$0")/lib.sh"

game_list_folder 中国象棋 欢乐斗地主 象棋大师 连连看 "100% 赛车"

# GTK's own composing input method: Ctrl+Shift+U and a code point.
export GTK_IM_MODULE=gtk-im-context-simple
start_program "$WORK/bin"
for _ in $(seq 1 100); do [ "$(db 'select count(*) from RTKey')" = 5 ] && break; sleep 0.2; done
[ "$(db 'select count(*) from RTKey')" = 5 ] || fail "the list was not imported"

# fresh_box: focuses the search box and empties it.
fresh_box() {
  dump
  read -r X Y <<< "$(centre edtFindName)"
  click_at "$X" "$Y"
  wait_for "d['focus'] == 'edtFindName'"
  xdotool key End $(printf 'BackSpace %.0s' $(seq 1 20))
  wait_for "d['search'] == '' and not d['searchSuggestions']['open']"
}
# new_tab TITLE: waits for one more tab showing TITLE, then checks that no
# second one follows.
new_tab() {
  wait_for "len(d['tabs']) == $TABS + 1 and d['tabs'][-1]['title'] == '''$1'''" 20
  sleep 0.5
  dump
  [ "$(q "len(d['tabs'])")" = $((TABS + 1)) ] || fail "more than one search ran: $(q "[t['title'] for t in d['tabs']]")"
  TABS=$((TABS + 1))
}
TABS=1
S="d['searchSuggestions']"

fresh_box
read -r BX BY BW BH <<< "$(q "'%d %d %d %d' % (d['controls']['edtFindName']['x'], d['controls']['edtFindName']['y'], d['controls']['edtFindName']['w'], d['controls']['edtFindName']['h'])")"
screenshot "$WORK/before.ppm"
xdotool type --delay 40 xq
wait_for "$S['open'] and $S['items'] == ['象棋大师', '中国象棋'] and $S['highlight'] == -1 and d['search'] == 'xq'"
[ "$(q "d['focus']")" = edtFindName ] || fail "the drop-down took the focus"
read -r LX LY LW LH <<< "$(q "'%d %d %d %d' % ($S['x'], $S['y'], $S['w'], $S['h'])")"
[ "$LX" = "$BX" ] && [ "$LY" = $((BY + BH)) ] && [ "$LW" = "$BW" ] && [ "$LH" = 42 ] ||
  fail "the drop-down is not under the box: $LX,$LY ${LW}x$LH (box $BX,$BY ${BW}x$BH)"
# Drawn: what was under it is covered, and its rows carry text.
expect_painted "$WORK/before.ppm" "$LX" "$LY" "$LW" "$LH"
screenshot "$WORK/open.ppm"
read -r _ INKED <<< "$(python3 "$HERE/e2e_tool.py" blocks "$WORK/open.ppm" $((LX + 1)) $((LY + 1)) $((LW - 2)) $((LH - 2)))"
[ "$INKED" -gt 40 ] || fail "the drop-down's rows show no text ($INKED inked blocks)"

# Composing in the box while it is open: the pre-edit text shows, the list
# stays; the committed character narrows it.
xdotool key ctrl+shift+u 5 9 2 7
wait_for "d['inputMethod']['preedit'] == 'u5927' and d['search'] == 'xq' and $S['open'] and len($S['items']) == 2"
xdotool key space
wait_for "d['search'] == 'xq大' and $S['items'] == ['象棋大师']"
xdotool key BackSpace
wait_for "d['search'] == 'xq' and len($S['items']) == 2"

# Down twice and Enter: the second game is searched, once.
xdotool key Down
wait_for "$S['highlight'] == 0"
xdotool key Down
wait_for "$S['highlight'] == 1 and d['search'] == 'xq'"
xdotool key Return
new_tab "搜索：中国象棋 - 找到 1 款：中国象棋"
[ "$(q "d['search']")" = 中国象棋 ] || fail "the chosen name is not in the box"
[ "$(q "$S['open']")" = False ] || fail "the drop-down stayed open"

# Escape only closes; the next Escape changes nothing; Enter then searches
# the typed text as it always did.
fresh_box
xdotool type --delay 40 llk
wait_for "$S['open'] and $S['items'] == ['连连看']"
xdotool key Escape
wait_for "not $S['open'] and d['search'] == 'llk' and d['focus'] == 'edtFindName'"
xdotool key Escape
sleep 0.3
wait_for "not $S['open'] and d['search'] == 'llk' and d['focus'] == 'edtFindName' and len(d['tabs']) == $TABS"
xdotool key Return
new_tab "搜索：llk - 找到 1 款：连连看"

# A click on a row chooses it.
fresh_box
xdotool type --delay 40 xq
wait_for "$S['open'] and len($S['items']) == 2"
read -r X Y <<< "$(q "'%d %d' % ($S['x'] + 40, $S['y'] + 1 + 10)")"
click_at "$X" "$Y"
new_tab "搜索：象棋大师 - 找到 1 款：象棋大师"
[ "$(q "d['search']")" = 象棋大师 ] || fail "the clicked name is not in the box"

# The search button searches the typed text as before, and closes it.
fresh_box
xdotool type --delay 40 xq
wait_for "$S['open'] and $S['highlight'] == -1"
xdotool key Down
wait_for "$S['highlight'] == 0"
read -r X Y <<< "$(centre btnFind)"
click_at "$X" "$Y"
new_tab "搜索：xq - 找到 2 款：象棋大师、中国象棋"
wait_for "not $S['open'] and d['search'] == 'xq'"

# Leaving the box closes it.
fresh_box
xdotool type --delay 40 xq
wait_for "$S['open']"
type_address "about:blank"
wait_for "not $S['open']"
echo "PASS"
