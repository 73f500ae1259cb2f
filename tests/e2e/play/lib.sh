# Shared by the player e2e scripts (sourced after ../lib.sh): the local page
# server on 127.0.0.1 and helpers for pages that report through their title.
PLAY_SERVER=""
start_pages() {
  python3 "$HERE/play/server.py" "$WORK/port" >"$WORK/server.log" 2>&1 &
  PLAY_SERVER=$!
  for _ in $(seq 1 100); do [ -s "$WORK/port" ] && break; sleep 0.05; done
  [ -s "$WORK/port" ] || fail "the page server did not start"
  SITE="http://127.0.0.1:$(cat "$WORK/port")"
}
stop_pages() { if [ -n "$PLAY_SERVER" ]; then kill "$PLAY_SERVER" 2>/dev/null || true; fi; }
trap 'stop_program; stop_pages; rm -rf "$WORK"' EXIT

# The page area's centre, "X Y".
page_centre() {
  dump
  q "'%d %d' % (d['controls']['PclParent']['x'] + d['controls']['PclParent']['w']//2, d['controls']['PclParent']['y'] + d['controls']['PclParent']['h']//2)"
}
# active_title: the title of the active tab's page, from the last dump.
active() { q "[t for t in d['tabs'] if t['active']][0]['$1']"; }

# tab N FIELD: a field of tab N in the last dump.
tab() { q "d['tabs'][$1]['$2']"; }

# start_tone N: a click into the sound page (a user gesture, so that its
# audio may start) and a wait until tab N plays its tone.
start_tone() {
  read -r CX CY <<< "$(page_centre)"
  click_at "$CX" "$CY"
  wait_for "d['tabs'][$1]['title'] == 'tone running' and d['tabs'][$1]['playingAudio']" 20
}
