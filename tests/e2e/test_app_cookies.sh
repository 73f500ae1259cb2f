#!/usr/bin/env bash
# Logins survive a restart: a cookie with an expiry date is sent again by
# the next run of the program, a session cookie is not; the store is a file
# under the user's data folder; the Internet options dialog clears it for
# good.
source "$(dirname "$0")/lib.sh"
source "$HERE/player_lib.sh"

start_site
start_program
go_to "$SITE/cookie/set"
wait_for "d['tabs'][0]['title'] == 'set'" 30
go_to "$SITE/cookie/show"
wait_for "d['tabs'][-1]['title'] == 'keep=1,sess=1'" 30
quit_program
[ -s "$XDG_DATA_HOME/xingfan/cookies.sqlite" ] || fail "no cookie file in $XDG_DATA_HOME/xingfan"
[ -d "$XDG_CACHE_HOME/xingfan" ] || fail "no cache folder in $XDG_CACHE_HOME/xingfan"

start_program
go_to "$SITE/cookie/show"
wait_for "d['tabs'][0]['title'] in ('keep=1', 'sess=1', 'keep=1,sess=1', 'none')" 30
[ "$(q "d['tabs'][0]['title']")" = "keep=1" ] || fail "after a restart the site got: $(q "d['tabs'][0]['title']")"

# Internet options: its cookie button.
clear_cookies
go_to "$SITE/cookie/show?again"
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['title'] in ('keep=1', 'none')" 30
[ "$(q "d['tabs'][1]['title']")" = "none" ] || fail "the cookies were not cleared"
quit_program

start_program
go_to "$SITE/cookie/show?restarted"
wait_for "d['tabs'][0]['title'] in ('keep=1', 'none')" 30
[ "$(q "d['tabs'][0]['title']")" = "none" ] || fail "cleared cookies came back after a restart"
quit_program
echo "PASS"
