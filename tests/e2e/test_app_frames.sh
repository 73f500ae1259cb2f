#!/usr/bin/env bash
# Frames inside a page are the page's business: the address box names the
# page while its frame loads, a favourite with eight frames shown in the
# favourites pane opens no tab, and editing keys typed into the address box
# after the page had the focus edit the box.
source "$(dirname "$0")/lib.sh"
source "$HERE/site.sh"

printf '<!DOCTYPE html><html><head><meta charset="utf-8"><title>有框架的页</title></head><body>\n<p>外层</p><iframe src="/slow/inner.htm"></iframe></body></html>\n' \
  > "$SITE_DIR/framed.htm"
printf '<html><body><p>inner frame page</p></body></html>\n' > "$SITE_DIR/inner.htm"
{
  printf '<!DOCTYPE html><html><head><meta charset="utf-8"><title>收藏的框架页</title></head><body>\n'
  for i in 1 2 3 4 5 6 7 8; do printf '<iframe src="/part.htm?%s" width="40" height="20"></iframe>\n' "$i"; done
  printf '</body></html>\n'
} > "$SITE_DIR/MyFav.htm"
printf '<html><body>part</body></html>\n' > "$SITE_DIR/part.htm"
start_site

export XINGFAN_FAVORITES=$WORK/favorites
mkdir -p "$XINGFAN_FAVORITES"
printf '[InternetShortcut]\r\nURL=%s/MyFav.htm\r\n' "$SITE" > "$XINGFAN_FAVORITES/框架收藏.url"

start_program
wait_for "d['tabs'][0]['title'] == 'about:blank' and d['address'] == 'about:blank'"
type_address "$SITE/framed.htm"
wait_for "d['tabs'][0]['title'] == '有框架的页'"
# The frame trickles in for seconds; the box keeps the page's address.
for _ in $(seq 1 8); do
  dump
  [ "$(q "d['address']")" = "$SITE/framed.htm" ] || fail "the address box shows $(q "d['address']") while the frame loads"
  sleep 0.25
done
grep -q "GET /slow/inner.htm" "$WORK/site.log" || fail "the frame was never asked for"

# The page takes the focus, then the address box; the editing keys edit it.
read -r PX PY <<< "$(centre FrameWebBrowserDefault)"
click_at "$PX" "$PY"
wait_for "d['focus'] == 'WebAction'"
read -r X Y <<< "$(q "'%d %d' % (d['controls']['cmbAddr']['x'] + 100, d['controls']['cmbAddr']['y'] + 10)")"
click_at "$X" "$Y"
wait_for "d['focus'] == 'cmbAddr'"
xdotool key ctrl+a BackSpace
xdotool type --delay 20 "abcdef"
xdotool key --delay 50 Home Right Delete End Left Delete Home Delete
wait_for "d['address'] == 'cde'" 5
xdotool key --delay 50 End Left Left Right Delete
xdotool type --delay 20 "xy"
wait_for "d['address'] == 'cdxy'" 5
[ "$(q "d['tabs'][0]['url']")" = "$SITE/framed.htm" ] || fail "the page moved: $(q "d['tabs'][0]['url']")"

# The favourite with eight frames opens inside the pane, and nothing else.
read -r FX FY <<< "$(centre btnFavorites)"
click_at "$FX" "$FY"
wait_for "d['controls']['webFavorites']['visible']"
sleep 1
read -r VX VY <<< "$(q "'%d %d' % (d['controls']['webFavorites']['x'] + 20, d['controls']['webFavorites']['y'] + 14)")"
click_at "$VX" "$VY"
wait_for "d['favoritesPane']['url'] == '$SITE/MyFav.htm'"
parts() { grep -o "GET /part.htm?[0-9]" "$WORK/site.log" | sort -u | wc -l; }
for _ in $(seq 1 300); do [ "$(parts)" -ge 8 ] && break; sleep 0.1; done
[ "$(parts)" -ge 8 ] || fail "the favourite's frames did not load: $(parts) of 8 asked for"
sleep 1
dump
[ "$(q "len(d['tabs'])")" = "1" ] || fail "the favourite's frames opened tabs: $(q "[t['url'] for t in d['tabs']]")"
quit_program
echo "PASS"
