#!/usr/bin/env bash
# Loading feedback on a page that takes 20 seconds: the tab says "正在打开..."
# and the status line the progress until the title comes; a load stopped
# with Escape gives the tab its page's name back.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
start_pages
start_program

type_address "$SITE/slow?secs=20&title=%E4%B8%80%E4%B8%AA%E5%BE%88%E6%85%A2%E7%9A%84%E6%B8%B8%E6%88%8F%E9%A1%B5%E9%9D%A2%E5%90%8D%E5%AD%97"
wait_for "d['tabs'][0]['caption'] == '正在打开...' and d['status'].startswith('正在打开网页... ') and d['status'].endswith('%')" 5
sleep 8
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
quit_program
echo "PASS"
