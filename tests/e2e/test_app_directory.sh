#!/usr/bin/env bash
# The shipped game directory on the real engine: its class links and its
# direct links (go.htm?R_Left='http://...'), clicked in the pane, open
# tabs on the right addresses while the pane stays on its page. The rows
# are found on a screenshot: each group of links sits under a blue heading.
source "$(dirname "$0")/lib.sh"

start_program
wait_for "d['leftPane']['url'].endswith('left.htm') and d['leftPane']['title'] == '游戏网址'" 30
sleep 1
dump
read -r LX LY LW LH <<< "$(q "'%d %d %d %d' % tuple(d['controls']['webLeft'][k] for k in ('x', 'y', 'w', 'h'))")"
import -window root -depth 8 "ppm:$WORK/shot.ppm" || fail "no screenshot"
# The bottom edge of each heading band, top to bottom, in the pane's right part
# (the headings span the pane; the links' text does not reach that far).
BANDS=$(python3 -c "
import sys
sys.path.insert(0, '$HERE')
from e2e_tool import read_ppm
w, h, px = read_ppm('$WORK/shot.ppm')
x, top, bottom = $(( LX + LW - 12 )), $LY, $(( LY + LH ))
def blue(y):
    i = (y * w + x) * 3
    r, g, b = px[i], px[i + 1], px[i + 2]
    return b > 150 and r < 100 and 60 < g < 160
ends, inside = [], False
for y in range(top, min(bottom, h)):
    if blue(y):
        inside = True
    elif inside:
        ends.append(y)
        inside = False
print(' '.join(map(str, ends)))
")
read -r CLASS_END HOT_END REST <<< "$BANDS"
[ -n "${HOT_END:-}" ] || fail "the directory's headings were not found on the screen ($BANDS)"

# The first class link, 休闲益智, right under the first heading.
click_at $(( LX + 40 )) $(( CLASS_END + 12 ))
wait_for "len(d['tabs']) == 2" 20
[ "$(q "d['tabs'][1]['url']")" = "http://www.xingfan.example/list.htm?R_Class=1" ] ||
  fail "the class link opened $(q "d['tabs'][1]['url']")"

# The first direct link, 中国象棋, under the second heading.
click_at $(( LX + 40 )) $(( HOT_END + 12 ))
wait_for "len(d['tabs']) == 3" 20
[ "$(q "d['tabs'][2]['url']")" = "http://game.xingfan.example/xiangqi.htm" ] ||
  fail "the direct link opened $(q "d['tabs'][2]['url']")"
# The next one, 围棋对弈, a row lower.
click_at $(( LX + 40 )) $(( HOT_END + 33 ))
wait_for "len(d['tabs']) == 4" 20
[ "$(q "d['tabs'][3]['url']")" = "http://game.xingfan.example/weiqi.htm" ] ||
  fail "the second direct link opened $(q "d['tabs'][3]['url']")"
[ "$(q "d['leftPane']['url'].endswith('left.htm')")" = True ] || fail "the pane left its page"
quit_program
echo "PASS"
