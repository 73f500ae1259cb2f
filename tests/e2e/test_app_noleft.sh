#!/usr/bin/env bash
# A program folder without left.htm: the left pane shows the browser's own
# error page, and nothing else suffers — no message box, the first tab and
# new tabs load, the program closes normally.
source "$(dirname "$0")/lib.sh"

program_copy left.htm
[ -e "$WORK/bin/left.htm" ] && fail "left.htm still there"

start_program "$WORK/bin"
wait_for "d['leftPane']['title'] == '无法显示网页'" 30
[ "$(q "'left.htm' in d['leftPane']['url']")" = "True" ] || fail "left pane address: $(q "d['leftPane']['url']")"
[ "$(q "d['controls']['webLeft']['visible']")" = "True" ] || fail "left pane hidden"
[ "$(q "d['messageBoxes']")" = "[]" ] || fail "message boxes: $(q "d['messageBoxes']")"
[ "$(q "d['tabs'][0]['url']")" = "about:blank" ] || fail "first tab: $(q "d['tabs'][0]['url']")"

type_address "file://$HERE/app/popup.htm?first"
wait_for "d['tabs'][0]['url'].endswith('popup.htm?first') and d['tabs'][0]['title'] == '弹出页面'" 30
type_address "file://$HERE/app/popup.htm?second"
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['caption'] == '弹出页面'" 30
[ "$(q "d['leftPane']['title']")" = "无法显示网页" ] || fail "left pane changed"
[ "$(q "d['messageBoxes']")" = "[]" ] || fail "message boxes: $(q "d['messageBoxes']")"
quit_program
echo "PASS"
