# Shared by the e2e scripts that drive the real program (sourced; argument 1
# is the bin folder). Each script gets its own work folder with the
# program's registry file, state dump and data folders, removed at the end
# together with a program still running. Every wait is bounded; a failure
# prints what was seen and the program's last output, then ends the script.
set -euo pipefail
BIN=${1:?bin dir}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WORK=$(mktemp -d)
PID=""
WIN=""
SERVER_PID=""
# Waits until the program has gone: one program runs per session, and the
# next test's start would otherwise hand its addresses to this one.
stop_program() {
  if [ -n "$PID" ]; then
    kill "$PID" 2>/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
  fi
  PID=""
}
trap 'stop_program; [ -z "$SERVER_PID" ] || kill "$SERVER_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
export HOME=$WORK/home
export XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data XDG_CACHE_HOME=$WORK/cache
export XINGFAN_REGISTRY=$WORK/registry.reg XINGFAN_STATE_DUMP=$WORK/state.json
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
mkdir -p "$HOME"

fail() {
  echo "FAIL: $*"
  echo "--- program output"
  tail -50 "$WORK/out.log" 2>/dev/null || true
  exit 1
}

# Asks the program for a fresh state dump and waits until it is written.
dump() {
  rm -f "$XINGFAN_STATE_DUMP"
  kill -USR1 "$PID" 2>/dev/null || fail "the program is gone"
  for _ in $(seq 1 100); do [ -s "$XINGFAN_STATE_DUMP" ] && return 0; sleep 0.1; done
  fail "no state dump"
}

# q EXPR: a Python expression over the last dump `d`, printed.
q() { python3 -c "import json,sys; d=json.load(open('$XINGFAN_STATE_DUMP')); print($1)"; }

# wait_for EXPR [SECONDS]: dumps until EXPR is True.
wait_for() {
  for _ in $(seq 1 $(( ${2:-20} * 4 ))); do
    dump
    [ "$(q "$1")" = "True" ] && return 0
    sleep 0.25
  done
  fail "timed out waiting for: $1 (state: $(cat "$XINGFAN_STATE_DUMP"))"
}

# start_program [BIN_DIR]: starts the program and waits for its window and
# its first tab.
start_program() {
  "${1:-$BIN}/xingfan" >>"$WORK/out.log" 2>&1 &
  PID=$!
  await_window
  wait_for "len(d['tabs']) == 1"
}

# await_window: waits for the main window of the program started as $PID
# (before it, a state dump request could reach the program before it
# listens for one).
await_window() {
  WIN=""
  for _ in $(seq 1 150); do
    WIN=$(xdotool search --name '^星帆IE$' 2>/dev/null | head -1 || true)
    [ -n "$WIN" ] && break
    kill -0 "$PID" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.2
  done
  [ -n "$WIN" ] || fail "the main window did not appear"
}

# program_copy [LEAVE_OUT]: a program folder of the script's own, $WORK/bin.
# The program finds its files beside its executable, so the executable is a
# real copy; everything else is linked, but for LEAVE_OUT.
program_copy() {
  mkdir "$WORK/bin"
  local entry name
  for entry in "$(cd "$BIN" && pwd)"/*; do
    name=$(basename "$entry")
    case "$name" in
      "${1:-}") ;;
      xingfan) cp "$entry" "$WORK/bin/" ;;
      *) ln -s "$entry" "$WORK/bin/$name" ;;
    esac
  done
}

# start_server ROOT: serves ROOT on 127.0.0.1 at a free port, in $PORT.
start_server() {
  rm -f "$WORK/port"
  python3 "$HERE/../../scripts/update-server.py" --root "$1" --port 0 --port-file "$WORK/port" \
    >>"$WORK/server.log" 2>&1 &
  SERVER_PID=$!
  for _ in $(seq 1 100); do [ -s "$WORK/port" ] && break; sleep 0.1; done
  [ -s "$WORK/port" ] || fail "the local server did not start"
  PORT=$(cat "$WORK/port")
}

click_at() { xdotool mousemove "$1" "$2" click "${3:-1}"; }
# centre NAME: "X Y" of the middle of a control of the main window.
centre() { q "'%d %d' % (d['controls']['$1']['x'] + d['controls']['$1']['w']//2, d['controls']['$1']['y'] + d['controls']['$1']['h']//2)"; }

# The program reports a menu open as soon as it asked for its window; the
# window system may map it a moment later, and a click before that would
# land on the window below it.
settle_menus() { sleep 0.3; }

# open_bar CAPTION: clicks the menu bar's button and waits for its menu.
open_bar() {
  dump
  read -r X Y <<< "$(q "[ '%d %d' % (b['x'] + b['w']//2, b['y'] + b['h']//2) for b in d['menuBar'] if b['caption'] == '$1' ][0]")" ||
    fail "no menu bar button $1"
  click_at "$X" "$Y"
  wait_for "len(d['openMenus']) == 1"
  settle_menus
}
# choose NAME LEVELS: clicks the item of the innermost open menu, then waits
# until LEVELS menus are open.
choose() {
  read -r X Y <<< "$(q "[ '%d %d' % (i['x'] + i['w']//2, i['y'] + i['h']//2) for i in d['openMenus'][-1] if i['name'] == '$1' ][0]")" ||
    fail "no item $1 in $(q "d['openMenus']")"
  click_at "$X" "$Y"
  wait_for "len(d['openMenus']) == $2"
  settle_menus
}
# type_address TEXT: replaces the address box's text and presses Return.
type_address() {
  read -r X Y <<< "$(q "'%d %d' % (d['controls']['cmbAddr']['x'] + 100, d['controls']['cmbAddr']['y'] + 10)")"
  click_at "$X" "$Y"
  wait_for "d['focus'] == 'cmbAddr'"
  xdotool key ctrl+a BackSpace
  xdotool type --delay 5 "$1"
  xdotool key Return
}

# answer_close KEY: asks the window to close, then answers the close
# question with the key chord.
answer_close() {
  python3 "$HERE/../../scripts/xclose.py" "$WIN"
  local dialog=""
  for _ in $(seq 1 50); do
    dialog=$(xdotool search --name '^确认退出$' 2>/dev/null | head -1 || true)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "no close question shown"
  sleep 0.3
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool key "$1"
}

# quit_program: closes the window with Yes and waits for the process to end.
quit_program() {
  answer_close alt+y
  for _ in $(seq 1 50); do kill -0 "$PID" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$PID" 2>/dev/null && fail "the program did not end"
  PID=""
}

# screenshot FILE: the whole screen as a PPM.
screenshot() { import -window root -depth 8 "ppm:$1" || fail "no screenshot"; }
# changed_share BEFORE AFTER X Y W H: the share of the rectangle's pixels
# that differ between two screenshots.
changed_share() { python3 "$HERE/e2e_tool.py" changed "$@"; }
# open_menu_rect: "X Y W H" of the innermost open menu's items.
open_menu_rect() {
  q "(lambda m: '%d %d %d %d' % (min(i['x'] for i in m), min(i['y'] for i in m), max(i['x'] + i['w'] for i in m) - min(i['x'] for i in m), max(i['y'] + i['h'] for i in m) - min(i['y'] for i in m)))([i for i in d['openMenus'][-1] if i['visible']])"
}
# expect_painted BEFORE X Y W H: screenshots until a fifth of the rectangle
# differs from the BEFORE screenshot (a window was painted over it; a
# window mapped but never painted leaves it as it was).
expect_painted() {
  local share=0
  for _ in $(seq 1 20); do
    screenshot "$WORK/after.ppm"
    share=$(changed_share "$1" "$WORK/after.ppm" "$2" "$3" "$4" "$5")
    python3 -c "import sys; sys.exit(0 if $share >= 0.2 else 1)" && return 0
    sleep 0.2
  done
  fail "nothing painted at $2,$3 ${4}x$5: only $share of it changed"
}

# game_list_folder GAME...: a program folder in $WORK/bin whose start
# downloads one list of these games (in the Chinese code page, as the
# server's lists are) from a local update server and imports it: a database
# of its own in which this computer has started before. `db SQL` prints the
# first value of a query on that database.
game_list_folder() {
  mkdir -p "$WORK/server/Lib"
  python3 - "$WORK/server/Lib/0.txt" "$@" <<'PY'
import sys
games = sys.argv[2:]
text = "".join("[%d]\r\nmc=%s\r\nlx=棋牌\r\nurl=http://127.0.0.1/%d.htm\r\n" % (i, g, i) for i, g in enumerate(games))
open(sys.argv[1], "wb").write(text.encode("gb18030"))
PY
  printf '[1]\r\nmc=second\r\n' >"$WORK/server/Lib/tj.txt"
  start_server "$WORK/server"
  program_copy ocn.js
  rm -f "$WORK/bin/ocn.js-wal" "$WORK/bin/ocn.js-shm" "$WORK/bin/xingfan.ini"
  cp "$BIN/ocn.js" "$WORK/bin/ocn.js"
  printf '[Update]\r\nBaseURL=http://127.0.0.1:%s\r\n[Network]\r\nTestURL=http://127.0.0.1:%s/\r\n' \
    "$PORT" "$PORT" >"$WORK/bin/xingfan.ini"
  db "insert or replace into Stwh(C_disk,S_Datetime,R_count,icount) values('$(hostname)','t',0,0)"
}
db() { python3 -c "import sqlite3,sys; c=sqlite3.connect('$WORK/bin/ocn.js'); r=c.execute(sys.argv[1]).fetchall(); c.commit(); print(r[0][0] if r else '')" "$1"; }
