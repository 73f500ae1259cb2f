#!/usr/bin/env bash
# Keys on the real web view: a page that has the focus gets the editing and
# moving keys (arrows, Backspace, Delete, Tab to the next field, Enter to
# submit its form), and the address box afterwards still gets its own.
# The page reports what it saw through its title.
source "$(dirname "$0")/lib.sh"

PAGE="file://$HERE/app/keys.htm"
start_program
type_address "$PAGE"
wait_for "d['tabs'][0]['url'] == '$PAGE' and d['tabs'][0]['title'] == 'keys'" 30

# Into the first field, which fills the top of the page.
read -r PX PY PW PH <<< "$(q "'%d %d %d %d' % tuple(d['controls']['PclParent'][k] for k in ('x', 'y', 'w', 'h'))")"
click_at $(( PX + PW / 2 )) $(( PY + PH * 3 / 10 ))
wait_for "d['tabs'][0]['title'] == 'keys (a)'"
sleep 0.3
xdotool type --delay 20 "abc"
wait_for "d['tabs'][0]['title'] == 'abc||'"
xdotool key --delay 50 Left BackSpace
wait_for "d['tabs'][0]['title'] == 'ac||LB'"
xdotool key Delete
wait_for "d['tabs'][0]['title'] == 'a||LBD'"

# Tab moves to the second field inside the page, not out of it.
xdotool key Tab
sleep 0.2
xdotool type --delay 20 "xy"
wait_for "d['tabs'][0]['title'] == 'a|xy|LBDT'"
xdotool key --delay 50 Right Up Down Return
wait_for "d['tabs'][0]['title'] == 'a|xy|LBDTRUWES'"
[ "$(q "d['tabs'][0]['caption']")" = "a|xy|LBDTR..." ] || fail "tab caption: $(q "d['tabs'][0]['caption']")"

# The address box takes its own keys again, and none of them reach the page.
read -r X Y <<< "$(q "'%d %d' % (d['controls']['cmbAddr']['x'] + 100, d['controls']['cmbAddr']['y'] + 10)")"
click_at "$X" "$Y"
wait_for "d['focus'] == 'cmbAddr'"
xdotool key ctrl+a BackSpace
xdotool type --delay 5 "file://$HERE/app/popup.htm?keysQZ"
xdotool key --delay 50 Left BackSpace
wait_for "d['address'] == 'file://$HERE/app/popup.htm?keysZ'"
xdotool key Delete
wait_for "d['address'] == 'file://$HERE/app/popup.htm?keys'"
xdotool key Return
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['url'].endswith('popup.htm?keys')" 30
[ "$(q "d['tabs'][0]['title']")" = "a|xy|LBDTRUWES" ] || fail "address keys reached the page: $(q "d['tabs'][0]['title']")"
quit_program
echo "PASS"
