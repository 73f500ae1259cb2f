#!/usr/bin/env bash
# Quitting while the start-up downloads stall or drip: the program ends at
# once, nothing of the cut-short list reaches the database and no local copy
# is left behind. The update server is a real one on 127.0.0.1.
source "$(dirname "$0")/lib.sh"

SERVER=""
trap 'stop_program; [ -n "$SERVER" ] && kill "$SERVER" 2>/dev/null; rm -rf "$WORK"' EXIT
mkdir -p "$WORK/server/Lib"
# Long enough that one byte every 0.2 s takes minutes.
for k in $(seq 0 40); do printf '[%d]\r\nmc=quit-test-%d\r\nlx=c\r\nurl=http://q/%d\r\n' "$k" "$k" "$k"; done \
  >"$WORK/server/Lib/0.txt"
printf '[1]\r\nmc=second\r\n' >"$WORK/server/Lib/tj.txt"
python3 "$HERE/../../scripts/update-server.py" --root "$WORK/server" --port 0 \
  --port-file "$WORK/port" >"$WORK/server.log" 2>&1 &
SERVER=$!
for _ in $(seq 1 100); do [ -s "$WORK/port" ] && break; sleep 0.1; done
PORT=$(cat "$WORK/port") || fail "the update server did not start"

# A program folder with a database of its own in which this computer has
# started before, so the start-up downloads run.
# The database's log files of the build folder must not be shared either.
program_copy ocn.js
rm -f "$WORK/bin/ocn.js-wal" "$WORK/bin/ocn.js-shm"
cp "$BIN/ocn.js" "$WORK/bin/ocn.js"
rm -f "$WORK/bin/xingfan.ini"
db "delete from Stwh"; db "delete from RT"
db "insert into Stwh(C_disk,S_Datetime,R_count,icount) values('$(hostname)','t',0,7)"

# Alive and not yet a zombie waiting for this shell to collect it.
running() { local state; state=$(ps -o stat= -p "$1" 2>/dev/null) && [ "${state:0:1}" != Z ]; }

for mode in stall slow; do
  printf '[Update]\r\nBaseURL=http://127.0.0.1:%s/%s\r\n[Network]\r\nTestURL=http://127.0.0.1:%s/\r\n' \
    "$PORT" "$mode" "$PORT" >"$WORK/bin/xingfan.ini"
  start_program "$WORK/bin"
  for _ in $(seq 1 100); do grep -q "GET /$mode/Lib/0.txt" "$WORK/server.log" && break; sleep 0.1; done
  grep -q "GET /$mode/Lib/0.txt" "$WORK/server.log" || fail "$mode: the list was never asked for"
  python3 "$HERE/../../scripts/xclose.py" "$WIN"
  dialog=""
  for _ in $(seq 1 50); do
    dialog=$(xdotool search --name '^确认退出$' 2>/dev/null | head -1 || true)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "$mode: no close question shown"
  sleep 0.3
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  start=$(date +%s%N)
  xdotool key alt+y
  while running "$PID" && [ $(( ($(date +%s%N) - start) / 1000000 )) -lt 6000 ]; do sleep 0.01; done
  running "$PID" && fail "$mode: the program still runs 6 s after the quit"
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  PID=""
  echo "$mode: the program ended ${ms} ms after the quit"
  # A shared machine under the sanitizers: a bound well above the figure,
  # far below the transfer's own time limit.
  [ "$ms" -lt 3000 ] || fail "$mode: ${ms} ms from the quit to the end of the program"
  grep -q "GET /$mode/Lib/tj.txt" "$WORK/server.log" && fail "$mode: the second list was asked for after the quit"
  [ "$(db "select R_count from Stwh")" = 0 ] || fail "$mode: R_count $(db "select R_count from Stwh")"
  [ "$(db "select icount from Stwh")" = 7 ] || fail "$mode: the start was counted"
  [ "$(db "select count(*) from RT")" = 0 ] || fail "$mode: rows were imported"
  [ -e "$WORK/bin/0.txt" ] && fail "$mode: a local copy was left behind"
done
echo "PASS"
