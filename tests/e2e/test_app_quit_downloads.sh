#!/usr/bin/env bash
# Quitting while the start-up downloads stall or drip: the program ends at
# once, nothing of the cut-short list reaches the database and no local copy
# is left behind. The update server is a real one on 127.0.0.1.
source "$(dirname "$0")/lib.sh"

SERVER=""
trap 'stop_program; [ -n "$SERVER" ] && kill "$SERVER" 2>/dev/null; rm -rf "$WORK"' EXIT
mkdir -p "$WORK/server/Lib"
printf '[0]\r\nmc=quit-test\r\nlx=c\r\nurl=http://q/\r\n' >"$WORK/server/Lib/0.txt"
printf '[1]\r\nmc=second\r\n' >"$WORK/server/Lib/tj.txt"
python3 "$HERE/../../scripts/update-server.py" --root "$WORK/server" --port 0 \
  --port-file "$WORK/port" >"$WORK/server.log" 2>&1 &
SERVER=$!
for _ in $(seq 1 100); do [ -s "$WORK/port" ] && break; sleep 0.1; done
PORT=$(cat "$WORK/port") || fail "the update server did not start"

# A program folder with a database of its own in which this computer has
# started before, so the start-up downloads run.
program_copy ocn.js
cp "$BIN/ocn.js" "$WORK/bin/ocn.js"
rm -f "$WORK/bin/xingfan.ini"
db() { python3 -c "import sqlite3,sys; c=sqlite3.connect('$WORK/bin/ocn.js'); r=c.execute(sys.argv[1]).fetchall(); c.commit(); print(r[0][0] if r else '')" "$1"; }
db "insert into Stwh(C_disk,S_Datetime,R_count,icount) values('$(hostname)','t',0,7)"

for mode in stall slow; do
  printf '[Update]\r\nBaseURL=http://127.0.0.1:%s/%s\r\n[Network]\r\nTestURL=http://127.0.0.1:%s/\r\n' \
    "$PORT" "$mode" "$PORT" >"$WORK/bin/xingfan.ini"
  start_program "$WORK/bin"
  for _ in $(seq 1 100); do grep -q "GET /$mode/Lib/0.txt" "$WORK/server.log" && break; sleep 0.1; done
  grep -q "GET /$mode/Lib/0.txt" "$WORK/server.log" || fail "$mode: the list was never asked for"
  answer_close alt+y
  start=$(date +%s%N)
  for _ in $(seq 1 300); do kill -0 "$PID" 2>/dev/null || break; sleep 0.02; done
  kill -0 "$PID" 2>/dev/null && fail "$mode: the program still runs 6 s after the quit"
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
