#!/usr/bin/env bash
# Second-account tabs (小号页) on the real engine: a player logged in as A in
# a normal tab opens "新建小号页" from the file menu and logs in as B there;
# both tabs show their own user at once, and windows of the slot's page stay
# in the slot. After a restart slot 1 is still B and the common store still
# A; the tab menu opens the next slot with a store of its own. The Internet
# options dialog's cookie button logs out every slot too.
source "$(dirname "$0")/lib.sh"
source "$HERE/player_lib.sh"
start_site accounts_site.py

first_tab() {
  read -r FX FY <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 85 + 25, d['controls']['PclParent']['y'] + 9)")"
  click_at "$FX" "$FY"
  wait_for "d['activePageIndex'] == 0"
}
new_account_page() {
  open_bar '文件(F)'
  choose mnuAccount 0
}

start_program
go_to "$SITE/login?user=A"
wait_for "d['tabs'][0]['title'] == 'login A'" 30

new_account_page
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['active'] and d['tabs'][1]['account'] == 1"
[ "$(q "d['tabs'][0]['account']")" = 0 ] || fail "the first tab is not in the common store"
[ "$(q "d['tabs'][1]['caption']")" = "小号1·about:blank" ] || fail "slot tab caption: $(q "d['tabs'][1]['caption']")"
go_to "$SITE/login?user=B"
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['title'] == 'login B'" 30
[ "$(q "d['tabs'][1]['caption']")" = "小号1·login B" ] || fail "slot tab caption: $(q "d['tabs'][1]['caption']")"

# A typed address over the slot's page opens a tab in the same slot.
go_to "$SITE/whoami"
wait_for "len(d['tabs']) == 3 and d['tabs'][2]['account'] == 1 and d['tabs'][2]['title'].startswith('user:')" 30
[ "$(q "d['tabs'][2]['title']")" = "user:B ls:B" ] || fail "slot 1 sees: $(q "d['tabs'][2]['title']")"

first_tab
go_to "$SITE/whoami?common"
wait_for "len(d['tabs']) == 4 and d['tabs'][3]['title'].startswith('user:')" 30
[ "$(q "d['tabs'][3]['title']")" = "user:A ls:A" ] || fail "the common store sees: $(q "d['tabs'][3]['title']")"
[ "$(q "d['tabs'][3]['account']")" = 0 ] || fail "a tab of the common store opened in a slot"
[ "$(q "d['tabs'][2]['title']")" = "user:B ls:B" ] || fail "slot 1 changed to: $(q "d['tabs'][2]['title']")"
quit_program
[ -s "$XDG_DATA_HOME/xingfan/accounts/1/cookies.sqlite" ] || fail "no cookie file for slot 1"
[ -d "$XDG_CACHE_HOME/xingfan/accounts/1" ] || fail "no cache folder for slot 1"

start_program
new_account_page
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['account'] == 1"
go_to "$SITE/whoami?restarted"
wait_for "d['tabs'][1]['title'].startswith('user:')" 30
[ "$(q "d['tabs'][1]['title']")" = "user:B ls:B" ] || fail "slot 1 after a restart: $(q "d['tabs'][1]['title']")"

# The tab menu's entry takes the next slot, whose store is new.
read -r TX TY <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 400, d['controls']['PclParent']['y'] + 8)")"
click_at "$TX" "$TY" 3
wait_for "len(d['openMenus']) == 1"
settle_menus
choose mnuAccountTab 0
wait_for "len(d['tabs']) == 3 and d['tabs'][2]['account'] == 2 and d['tabs'][2]['active']"
go_to "$SITE/whoami?two"
wait_for "d['tabs'][2]['title'].startswith('user:')" 30
[ "$(q "d['tabs'][2]['title']")" = "user:none ls:none" ] || fail "slot 2 sees: $(q "d['tabs'][2]['title']")"

first_tab
go_to "$SITE/whoami?restarted"
wait_for "d['tabs'][0]['title'].startswith('user:')" 30
[ "$(q "d['tabs'][0]['title']")" = "user:A ls:A" ] || fail "the common store after a restart: $(q "d['tabs'][0]['title']")"

# Internet options: its cookie button.
clear_cookies
quit_program

start_program
new_account_page
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['account'] == 1"
go_to "$SITE/whoami?cleared"
wait_for "d['tabs'][1]['title'].startswith('user:')" 30
[ "$(q "d['tabs'][1]['title']")" = "user:none ls:B" ] || fail "slot 1 after clearing cookies: $(q "d['tabs'][1]['title']")"
quit_program
echo "PASS"
