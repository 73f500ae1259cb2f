#!/usr/bin/env bash
# Loading feedback on a page that takes 20 seconds: the tab says "正在打开..."
# and the status line the progress until the title comes, whenever its tab
# is in front; a load stopped with Escape gives the tab its page's name back;
# a loading tab closed leaves the status line to the tab that comes forward.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
start_pages
start_program

type_address "$SITE/slow?secs=20&title=%E4%B8%80%E4%B8%AA%E5%BE%88%E6%85%A2%E7%9A%84%E6%B8%B8%E6%88%8F%E9%A1%B5%E9%9D%A2%E5%90%8D%E5%AD%97"
wait_for "d['tabs'][0]['caption'] == '正在打开...' and d['status'].startswith('正在打开网页... ') and d['status'].endswith('%')" 5
# The status line speaks for the tab in front: a new tab's blank page is
# done; back on the slow one, its progress again; its tab is closed while
# it loads, the tab that comes forward is done.
xdotool key ctrl+t
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['active'] and d['status'] == '完成'" 5
xdotool key ctrl+shift+Tab
wait_for "d['tabs'][0]['active'] and d['status'].startswith('正在打开网页... ')" 5
sleep 4
dump
[ "$(q "d['tabs'][0]['caption']")" = "正在打开..." ] || fail "caption mid-load: $(q "d['tabs'][0]['caption']")"
# The title obeys the ten-character rule when it comes.
wait_for "d['tabs'][0]['caption'] == '一个很慢的游戏页面名...' and d['status'] == '完成'" 30

# Escape in the page stops a slow load well before its end; the part already
# shown stays, named by its address since its title never came.
type_address "$SITE/b.htm"
act() { echo "[t for t in d['tabs'] if t['active']][0]['$1']"; }
wait_for "$(act caption) == 'page b' and d['status'] == '完成'" 30
read -r PX PY <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 80, d['controls']['PclParent']['y'] + 60)")"
click_at "$PX" "$PY"
wait_for "$(act caption) == '正在打开...'" 10
xdotool key Escape
wait_for "$(act caption) != '正在打开...' and d['status'] == '完成'" 5
[ "$(q "$(act title)")" = "$SITE/slow?secs=20&title=slow" ] || fail "after Escape: $(q "$(act title)")"
sleep 20
dump
[ "$(q "$(act title)")" = "$SITE/slow?secs=20&title=slow" ] || fail "the load went on after Escape: $(q "$(act title)")"

# A loading tab closed: the tab that comes forward speaks for itself.
TABS=$(q "len(d['tabs'])")
type_address "$SITE/slow?secs=20&title=slow"
wait_for "len(d['tabs']) == $TABS + 1 and $(act caption) == '正在打开...' and d['status'].startswith('正在打开网页... ')" 10
dump
read -r CX CY <<< "$(centre btnClosePage)"
click_at "$CX" "$CY"
wait_for "len(d['tabs']) == $TABS and d['status'] == '完成'" 5
quit_program
echo "PASS"
