#!/usr/bin/env bash
# Links the engine cannot show go to the desktop's programs and the page
# stays: a scheme with a program set up is handed over (from a link and from
# a link that asks for a new window), a scheme without one says so on the
# status line, and a frame that asks by itself, without a click, is refused.
source "$(dirname "$0")/lib.sh"
source "$HERE/player_lib.sh"

use_recorder
start_site
start_program
PAGE="$SITE/external.htm"
go_to "$PAGE"
wait_for "d['tabs'][0]['url'] == '$PAGE' and d['tabs'][0]['title'] == 'external'" 30
# The frame's own request was refused without a click.
wait_for "d['status'] == '已阻止网页自行打开外部程序：xftest://from-a-frame'" 20
sleep 0.5
grep -q "from-a-frame" "$WORK/launched.txt" 2>/dev/null && fail "a frame started a program by itself"

# page_kept: one tab, still on the page, and the address box shows it.
page_kept() {
  dump
  [ "$(q "len(d['tabs']) == 1 and d['tabs'][0]['url'] == '$PAGE' and d['tabs'][0]['title'] == 'external'")" = True ] ||
    fail "the page was replaced: $(q "d['tabs']")"
  [ "$(q "d['address']")" = "$PAGE" ] || fail "the address box shows $(q "d['address']")"
}

click_row 2
wait_launched "xftest://hello/world"
wait_for "d['status'] == '已交给外部程序打开：xftest://hello/world'"
page_kept

click_row 0
wait_for "d['status'] == '没有可以打开这个链接的程序：tencent://message/?uin=10000'"
page_kept

click_row 1
wait_for "d['status'] == '没有可以打开这个链接的程序：mailto:service@xingfan.example'"
page_kept

# A link to a new window opens no tab for an outside program.
click_row 3
wait_launched "xftest://new-window"
page_kept

# Typed into the address box, the address goes to the desktop too.
go_to "xftest://typed"
wait_launched "xftest://typed"
[ "$(q "len(d['tabs']) == 1 and d['tabs'][0]['url'] == '$PAGE'")" = True ] || fail "the typed address replaced the page"
quit_program
echo "PASS"
