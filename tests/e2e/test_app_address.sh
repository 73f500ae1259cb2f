#!/usr/bin/env bash
# Addresses typed into the real address box: the first goes into the blank
# first tab unrecorded, the next is recorded in the registry file and shows
# in the drop-down list after a restart.
source "$(dirname "$0")/lib.sh"

start_program
type_address "file://$HERE/app/popup.htm?first"
wait_for "d['tabs'][0]['url'].endswith('popup.htm?first')"
[ "$(q "len(d['tabs'])")" = "1" ] || fail "the first address opened a tab"
[ "$(q "'0' in d['registry']")" = "False" ] || fail "the first address was recorded"
type_address "file://$HERE/app/popup.htm?second"
wait_for "len(d['tabs']) == 2 and d['registry'].get('0') == 'file://$HERE/app/popup.htm?second'"
[ "$(q "d['registry']['j']")" = "1" ] || fail "counter not raised"
[ "$(q "d['addressItems'][-1]")" = "file://$HERE/app/popup.htm?second" ] || fail "drop-down not updated"
grep -qF "\"0\"=\"file://$HERE/app/popup.htm?second\"" "$XINGFAN_REGISTRY" || fail "registry file lacks the slot"
quit_program

start_program
[ "$(q "d['addressItems']")" = "['file://$HERE/app/popup.htm?second']" ] || fail "drop-down after restart: $(q "d['addressItems']")"
[ "$(q "d['address']")" = "about:blank" ] || fail "address box after restart"
quit_program
echo "PASS"
