#!/usr/bin/env bash
# The program keeps answering while pages come and go: loads of a 2 MB
# page, then tabs opened and closed by a page, with state dumps asked for
# all along; every dump must come within a second. (The JavaScript engine
# of the window process once paused its threads with the very signal that
# asks for a dump, and the program froze for good after about 25 tab
# cycles or a few large pages.) The suite runs 40 of each, well past that;
# FREEZE_ROUNDS=300 runs the long series (about half an hour in the
# sanitizer build).
source "$(dirname "$0")/lib.sh"
source "$HERE/site.sh"
ROUNDS=${FREEZE_ROUNDS:-40}

python3 - "$SITE_DIR" "$ROUNDS" <<'PY'
import sys
site, rounds = sys.argv[1], sys.argv[2]
line = "<p>" + "星帆游戏大厅 big page line " * 6 + "</p>\n"
filler = line * (2 * 1024 * 1024 // len(line.encode()) + 1)
with open(site + "/big.htm", "w") as f:
    f.write("""<!DOCTYPE html><html><head><meta charset="utf-8"><title>big</title></head><body>
<script>
var n = +(location.search.slice(3) || 0);
document.title = "big " + n;
addEventListener("load", function () {
  if (n < ROUNDS) setTimeout(function () { location.replace("big.htm?n=" + (n + 1)); }, 0);
});
</script>
""".replace("ROUNDS", rounds) + filler + "</body></html>\n")
with open(site + "/cycle.htm", "w") as f:
    f.write("""<!DOCTYPE html><html><head><meta charset="utf-8"><title>c0</title></head><body>
<script>
var i = 0;
function next() {
  if (i >= ROUNDS) { location.hash = "done"; return; }
  i++;
  document.title = "c" + i;
  var w = window.open("pop.htm?" + i);
  if (!w) { location.hash = "refused"; return; }
  var t = setInterval(function () { if (w.closed) { clearInterval(t); next(); } }, 20);
}
setTimeout(next, 200);
</script></body></html>
""".replace("ROUNDS", rounds))
with open(site + "/pop.htm", "w") as f:
    f.write("""<!DOCTYPE html><html><head><meta charset="utf-8"><title>pop</title></head>
<body onload="setTimeout(function () { window.close(); }, 10)"><p>弹出</p></body></html>
""")
PY
start_site
portal_copy
[ "$(stat -c %s "$SITE_DIR/big.htm")" -ge 2000000 ] || fail "the big page is small"

WORST=0
# timed_dump: a dump that must come within a second.
timed_dump() {
  local start ms
  start=$(date +%s%N)
  dump
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  [ "$ms" -gt "$WORST" ] && WORST=$ms
  [ "$ms" -le 500 ] || echo "slow dump: $ms ms at $(q "[t['title'] for t in d['tabs']]")"
  [ "$ms" -le 1000 ] || fail "a state dump took $ms ms"
}

start_program "$WORK/bin"
# The engine pauses its threads with a signal of its own (a real-time one),
# which the program leaves alone; SIGUSR1 is the dump's.
caught=$(awk '/^SigCgt/ {print $2}' "/proc/$PID/status")
python3 -c "import sys; m = int('$caught', 16); sys.exit(0 if m & (1 << 9) else 1)" || fail "SIGUSR1 is not caught"
type_address "$SITE/big.htm?n=0"
deadline=$(( $(date +%s) + 60 + ROUNDS * 6 ))
while :; do
  timed_dump
  [ "$(q "d['tabs'][0]['url'].endswith('big.htm?n=$ROUNDS')")" = "True" ] && break
  [ "$(date +%s)" -lt "$deadline" ] || fail "the big page was loaded only up to $(q "d['tabs'][0]['url']")"
  sleep 0.3
done
loads=$(grep -c "GET /big.htm" "$WORK/site.log" || true)
[ "$loads" -ge $((ROUNDS + 1)) ] || fail "only $loads loads of the big page reached the server"
echo "loads: $loads of a $(stat -c %s "$SITE_DIR/big.htm")-byte page; slowest dump ${WORST} ms"

type_address "$SITE/cycle.htm"
deadline=$(( $(date +%s) + 60 + ROUNDS * 3 ))
while :; do
  timed_dump
  url=$(q "[t['url'] for t in d['tabs'] if 'cycle.htm' in t['url']]")
  case "$url" in
    *cycle.htm#done*) break ;;
    *cycle.htm#refused*) fail "the page could not open a window" ;;
  esac
  [ "$(date +%s)" -lt "$deadline" ] || fail "tab cycles stopped at $(q "[t['title'] for t in d['tabs']]")"
  sleep 0.3
done
opened=$(grep -c "GET /pop.htm" "$WORK/site.log" || true)
[ "$opened" -eq "$ROUNDS" ] || fail "$opened pop-up pages were loaded, not $ROUNDS"
# Every pop-up closed its own tab, whichever tab was in front by then.
wait_for "[t['title'] for t in d['tabs']] == ['big $ROUNDS', 'c$ROUNDS']"
timed_dump
echo "tab cycles: $opened; slowest dump ${WORST} ms"
quit_program
echo "PASS"
