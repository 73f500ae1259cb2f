#!/usr/bin/env bash
# The real panes: a directory link and a favourite, clicked in the left
# pane's pages, open new tabs while the panes stay on their pages.
source "$(dirname "$0")/lib.sh"

export XINGFAN_FAVORITES=$WORK/favorites
mkdir -p "$XINGFAN_FAVORITES"
printf '[InternetShortcut]\r\nURL=file://%s/app/popup.htm?fav\r\n' "$HERE" > "$XINGFAN_FAVORITES/弹出页面.url"

start_program
wait_for "d['leftPane']['url'].endswith('left.htm')"

# The first class link of the directory, "休闲益智", sits under the first heading.
read -r LX LY <<< "$(q "'%d %d' % (d['controls']['webLeft']['x'] + 40, d['controls']['webLeft']['y'] + 34)")"
click_at "$LX" "$LY"
wait_for "len(d['tabs']) == 2 and 'R_Class=1' in d['tabs'][1]['url']"
[ "$(q "d['leftPane']['url'].endswith('left.htm')")" = "True" ] || fail "the directory pane navigated"

# Open the favourites area and click the favourite, the first link on its page.
read -r FX FY <<< "$(centre btnFavorites)"
click_at "$FX" "$FY"
wait_for "d['controls']['webFavorites']['visible']"
sleep 1
read -r VX VY <<< "$(q "'%d %d' % (d['controls']['webFavorites']['x'] + 20, d['controls']['webFavorites']['y'] + 14)")"
click_at "$VX" "$VY"
wait_for "len(d['tabs']) == 3 and d['tabs'][2]['url'].endswith('popup.htm?fav')"
quit_program
echo "PASS"
