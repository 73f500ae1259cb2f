#!/usr/bin/env bash
# Addresses typed into the real address box: the first goes into the blank
# first tab unrecorded, the next is recorded in the registry file and shows
# in the drop-down list after a restart.
set -euo pipefail
BIN=${1:?bin dir}
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
PID=""
trap '[ -n "$PID" ] && kill $PID 2>/dev/null; rm -rf "$WORK"' EXIT
export XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data XDG_CACHE_HOME=$WORK/cache
export XINGFAN_REGISTRY=$WORK/registry.reg XINGFAN_STATE_DUMP=$WORK/state.json
export ASAN_OPTIONS=detect_leaks=0

fail() { echo "FAIL: $*"; tail -30 "$WORK/out.log"; exit 1; }
dump() {
  rm -f "$XINGFAN_STATE_DUMP"
  kill -USR1 $PID
  for _ in $(seq 1 100); do [ -s "$XINGFAN_STATE_DUMP" ] && return 0; sleep 0.1; done
  fail "no state dump"
}
q() { python3 -c "import json,sys; d=json.load(open('$XINGFAN_STATE_DUMP')); print($1)"; }
wait_for() {
  for _ in $(seq 1 $(( ${2:-20} * 4 ))); do
    dump
    [ "$(q "$1")" = "True" ] && return 0
    sleep 0.25
  done
  fail "timed out waiting for: $1 (state: $(cat "$XINGFAN_STATE_DUMP"))"
}
start() {
  "$BIN/xingfan" >>"$WORK/out.log" 2>&1 &
  PID=$!
  WIN=""
  for _ in $(seq 1 150); do
    WIN=$(xdotool search --name '^星帆IE$' 2>/dev/null | head -1 || true)
    [ -n "$WIN" ] && break
    sleep 0.2
  done
  [ -n "$WIN" ] || fail "the main window did not appear"
  wait_for "len(d['tabs']) == 1"
}
type_address() {
  read -r X Y <<< "$(q "'%d %d' % (d['controls']['cmbAddr']['x'] + 100, d['controls']['cmbAddr']['y'] + 10)")"
  xdotool mousemove "$X" "$Y" click 1
  xdotool key ctrl+a BackSpace
  xdotool type --delay 5 "$1"
  xdotool key Return
}
quit() {
  python3 "$HERE/../../scripts/xclose.py" "$WIN"
  local dialog=""
  for _ in $(seq 1 50); do
    dialog=$(xdotool search --name '^确认退出$' 2>/dev/null | head -1 || true)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "no close question"
  sleep 0.3
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool key alt+y
  for _ in $(seq 1 50); do kill -0 $PID 2>/dev/null || break; sleep 0.2; done
  kill -0 $PID 2>/dev/null && fail "the program did not end"
  PID=""
}

start
type_address "file://$HERE/app/popup.htm?first"
wait_for "d['tabs'][0]['url'].endswith('popup.htm?first')"
[ "$(q "len(d['tabs'])")" = "1" ] || fail "the first address opened a tab"
[ "$(q "'0' in d['registry']")" = "False" ] || fail "the first address was recorded"
type_address "file://$HERE/app/popup.htm?second"
wait_for "len(d['tabs']) == 2 and d['registry'].get('0') == 'file://$HERE/app/popup.htm?second'"
[ "$(q "d['registry']['j']")" = "1" ] || fail "counter not raised"
[ "$(q "d['addressItems'][-1]")" = "file://$HERE/app/popup.htm?second" ] || fail "drop-down not updated"
grep -qF "\"0\"=\"file://$HERE/app/popup.htm?second\"" "$XINGFAN_REGISTRY" || fail "registry file lacks the slot"
quit

start
[ "$(q "d['addressItems']")" = "['file://$HERE/app/popup.htm?second']" ] || fail "drop-down after restart: $(q "d['addressItems']")"
[ "$(q "d['address']")" = "about:blank" ] || fail "address box after restart"
quit
echo "PASS"
