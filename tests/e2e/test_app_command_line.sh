#!/usr/bin/env bash
# The command line: help and version answer without a window; addresses
# open in tabs after the blank first tab, in their order; a later start
# hands its addresses (a relative file name resolved in its own folder
# among them) to the running window and ends, so one window stays.
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || exec dbus-run-session -- bash "$0" "$@"
source "$(dirname "$0")/lib.sh"

help=$(env -u DISPLAY "$BIN/xingfan" --help) || fail "--help failed"
grep -q '^用法：xingfan' <<<"$help" || fail "help text: $help"
version=$(env -u DISPLAY "$BIN/xingfan" -v --bogus) || fail "--version failed"
[[ "$version" =~ ^星帆IE\ [0-9] ]] || fail "version text: $version"
status=0
error=$("$BIN/xingfan" --bogus 2>&1 >/dev/null) || status=$?
[ "$status" = 2 ] || fail "an unknown option ended with $status"
grep -qF '“--bogus”' <<<"$error" || fail "error text: $error"
xdotool search --name '^星帆IE$' >/dev/null 2>&1 && fail "a window is open before the program started"

mkdir -p "$WORK/site" "$WORK/elsewhere"
for n in 1 2 3; do
  printf '<html><head><meta charset="utf-8"><title>页面%s</title></head><body>page %s</body></html>' "$n" "$n" >"$WORK/site/p$n.htm"
done
printf '<html><head><meta charset="utf-8"><title>本地文件</title></head><body>local</body></html>' >"$WORK/elsewhere/本地.htm"
start_server "$WORK/site"
URL=http://127.0.0.1:$PORT

"$BIN/xingfan" "$URL/p1.htm" -- "$URL/p2.htm" >>"$WORK/out.log" 2>&1 &
PID=$!
await_window
wait_for "len(d['tabs']) == 3 and d['tabs'][1]['title'] == '页面1' and d['tabs'][2]['title'] == '页面2'" 30
[ "$(q "d['tabs'][0]['url']")" = "about:blank" ] || fail "first tab: $(q "d['tabs'][0]")"
[ "$(q "d['tabs'][1]['url']")" = "$URL/p1.htm" ] || fail "second tab: $(q "d['tabs'][1]")"
[ "$(q "d['tabs'][2]['active']")" = "True" ] || fail "the last address is not the active tab"

# A later start, from another folder, with a relative file name and an address.
status=0
(PROGRAM=$(cd "$BIN" && pwd)/xingfan && cd "$WORK/elsewhere" && timeout 20 "$PROGRAM" 本地.htm "$URL/p3.htm") >>"$WORK/out.log" 2>&1 || status=$?
[ "$status" = 0 ] || fail "the later start ended with $status"
wait_for "len(d['tabs']) == 5 and d['tabs'][3]['title'] == '本地文件' and d['tabs'][4]['title'] == '页面3'" 30
[[ "$(q "d['tabs'][3]['url']")" == file://*/elsewhere/%E6%9C%AC%E5%9C%B0.htm ]] ||
  fail "the relative file: $(q "d['tabs'][3]['url']")"
[ "$(xdotool search --name '^星帆IE$' 2>/dev/null | wc -l)" = 1 ] || fail "a second main window appeared"

# Started again without addresses: the running window stays as it is.
timeout 20 "$BIN/xingfan" >>"$WORK/out.log" 2>&1 || fail "the bare later start failed"
sleep 1
dump
[ "$(q "len(d['tabs'])")" = 5 ] || fail "the bare later start opened a tab"
[ "$(xdotool search --name '^星帆IE$' 2>/dev/null | wc -l)" = 1 ] || fail "a second main window appeared"
[ "$(q "d['messageBoxes']")" = "[]" ] || fail "message boxes: $(q "d['messageBoxes']")"
quit_program

# With the window gone, the next start runs a window of its own again.
"$BIN/xingfan" "$URL/p3.htm" >>"$WORK/out.log" 2>&1 &
PID=$!
await_window
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['title'] == '页面3'" 30
quit_program
echo "PASS"
