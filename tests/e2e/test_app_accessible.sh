#!/usr/bin/env bash
# The skinned window read the way a screen reader reads it, from the
# accessibility bus of the desktop session: the menu bar with its six
# menus, the tool bar's buttons, the address box holding the typed address
# of a page from 127.0.0.1, the search box and the tabs, each named; a
# button pressed and a tab chosen through the bus take effect (checked
# through the state dump).
source "$(dirname "$0")/lib.sh"
source "$HERE/player_lib.sh"

/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is missing (scripts/install-deps.sh)"
# The session keeps GTK off the bus for the other tests; a reader's user
# has it on.
export NO_AT_BRIDGE=0
A11Y="/usr/bin/python3 $HERE/accessible_tool.py"
a11y() { $A11Y check "$PID" "$1"; }
# wait_a11y EXPR [SECONDS]: reads the tree until EXPR is True.
wait_a11y() {
  for _ in $(seq 1 $(( ${2:-15} * 2 ))); do
    [ "$(a11y "$1" 2>>"$WORK/a11y.log")" = "True" ] && return 0
    sleep 0.5
  done
  $A11Y dump "$PID" > "$WORK/tree.txt" 2>&1 || true
  fail "the accessible tree never had: $1
$(grep -E "menu bar|page tab|combo|entry|push button" "$WORK/tree.txt" | head -60)
$(tail -5 "$WORK/a11y.log")"
}

start_site
start_program
PAGE="$SITE/accessible.htm"
go_to "$PAGE"
wait_for "len(d['tabs']) == 1 and d['tabs'][0]['url'] == '$PAGE' and d['tabs'][0]['caption'] == '读屏测试页'" 30

# The menu bar and its six menus, in order, with their items.
wait_a11y "[m['name'] for m in nodes('menu bar')[0]['children']] == ['文件', '编辑', '查看', '收藏', '工具', '帮助']"
wait_a11y "all(m['role'] == 'menu' and m['children'] for m in nodes('menu bar')[0]['children'])"
wait_a11y "node('menu item', '退出') is not None and node('check menu item', '中') is not None"
wait_a11y "'checked' in node('check menu item', '中')['states']"

# The tool bar's buttons, picture-only ones named too, each to be pressed.
for name in 后退 前进 停止 刷新 收藏夹 游戏网址 清除记录 用户反馈 转到 搜索游戏 新建页面 关闭页面; do
  wait_a11y "node('push button', '$name') is not None and node('push button', '$name')['actions'] == ['press']" 5
done
# Where a reader says a button is, a click lands on it.
dump
BACK=$(q "(d['controls']['btnBack']['x'], d['controls']['btnBack']['y'], d['controls']['btnBack']['w'], d['controls']['btnBack']['h'])")
wait_a11y "node('push button', '后退')['extents'] == $BACK" 5

# The address box holds the page's address; the search box its prompt.
wait_a11y "node('combo box', '地址') is not None and node('combo box', '地址')['children'][0]['text'] == '$PAGE'"
wait_a11y "node('entry', '游戏搜索')['text'] == '在这里输入游戏名称' and 'editable' in node('entry', '游戏搜索')['states']"

# The tabs: one page tab, named after the page and selected.
wait_a11y "[t['name'] for t in nodes('page tab list')[0]['children']] == ['读屏测试页']"
wait_a11y "'selected' in node('page tab', '读屏测试页')['states']"

# Pressing the new-page button through the bus opens a tab; the tab list
# follows, the new tab selected.
[ "$($A11Y act "$PID" 'push button' '新建页面')" = True ] || fail "the new-page button took no press"
wait_for "len(d['tabs']) == 2 and d['activePageIndex'] == 1"
wait_a11y "[t['name'] for t in nodes('page tab list')[0]['children']] == ['读屏测试页', 'about:blank']"
wait_a11y "'selected' in node('page tab', 'about:blank')['states'] and 'selected' not in node('page tab', '读屏测试页')['states']"
# Choosing the first tab through the bus shows its page again.
[ "$($A11Y act "$PID" 'page tab' '读屏测试页')" = True ] || fail "the tab took no action"
wait_for "d['activePageIndex'] == 0"
wait_a11y "'selected' in node('page tab', '读屏测试页')['states']"
wait_a11y "node('combo box', '地址')['children'][0]['text'] == '$PAGE'"
quit_program
echo "PASS"
