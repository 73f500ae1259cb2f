#!/usr/bin/env bash
# The tab strip after "关闭所有页": seventeen tabs scroll the strip, closing
# them all and opening seven again must show every tab from the first one,
# without scroll buttons, and the first tab must take a click.
source "$(dirname "$0")/lib.sh"

start_program
read -r NX NY <<< "$(centre btnNewPage)"
for n in $(seq 2 18); do
  click_at "$NX" "$NY"
  wait_for "len(d['tabs']) == $n"
done
wait_for "d['tabStrip']['overflow'] or d['tabStrip']['firstShown'] > 0"
[ "$(q "d['tabStrip']['firstShown'] > 0")" = True ] || fail "seventeen tabs did not scroll the strip: $(q "d['tabStrip']")"

# The tab menu's "关闭所有页".
read -r TX TY <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 300, d['controls']['PclParent']['y'] + 8)")"
click_at "$TX" "$TY" 3
wait_for "len(d['openMenus']) == 1"
settle_menus
choose N2 0
wait_for "len(d['tabs']) == 1" 30

for n in $(seq 2 8); do
  click_at "$NX" "$NY"
  wait_for "len(d['tabs']) == $n"
done
wait_for "d['tabStrip']['firstShown'] == 0 and not d['tabStrip']['overflow']" 10

# The first tab is where it belongs, just right of the strip's margin.
read -r FX FY <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 85 + 25, d['controls']['PclParent']['y'] + 9)")"
click_at "$FX" "$FY"
wait_for "d['activePageIndex'] == 0"
quit_program
echo "PASS"
