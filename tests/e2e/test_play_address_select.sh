#!/usr/bin/env bash
# Ctrl+A in the address box right after a click into it, coming from the
# page: the typed address always replaces the old text, 50 times over, with
# no wait between the click and the keys.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
start_pages
start_program
type_address "$SITE/a.htm"
wait_for "d['tabs'][0]['title'] == 'page a'" 30
read -r PX PY <<< "$(page_centre)"
read -r AX AY <<< "$(q "'%d %d' % (d['controls']['cmbAddr']['x'] + 100, d['controls']['cmbAddr']['y'] + 10)")"
for i in $(seq 1 50); do
  xdotool mousemove "$PX" "$PY" click 1 sleep 0.15 mousemove "$AX" "$AY" click 1 key ctrl+a type --delay 2 "x$i"
  wait_for "d['address'].endswith('x$i')" 5
  [ "$(q "d['address']")" = "x$i" ] || fail "round $i: the address box holds '$(q "d['address']")'"
done
quit_program
echo "PASS"
