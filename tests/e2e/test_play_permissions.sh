#!/usr/bin/env bash
# Rights a page asks for, on the real engine: the bar on the tab asks
# (允许 / 拒绝), the page gets what the player clicked, and the answer is
# kept per site in the settings file, so that after a restart the same
# requests are answered without a question.
source "$(dirname "$0")/lib.sh"
source "$HERE/site.sh"

page() { # NAME ASK ON_CLICK
  local run="$2"
  [ "$3" = click ] && run="document.getElementById('b').onclick = function () { $2 };"
  cat > "$SITE_DIR/$1" <<EOF
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>waiting</title></head>
<body style="margin:0">
<button id="b" style="width:100%;height:300px;font-size:30px">开始</button>
<script>function said(t) { document.title = t; }
$run</script>
</body></html>
EOF
}
page locate.htm "navigator.geolocation.getCurrentPosition(function () { said('located'); }, function (e) { said(e.code == 1 ? 'refused' : 'allowed'); });" load
page notify.htm "Notification.requestPermission().then(said);" click
start_site

# bar_click KEY: clicks the bar's allow or deny button on the first tab.
bar_click() {
  read -r X Y <<< "$(q "'%d %d' % (d['tabs'][0]['permissionBar']['$1']['x'] + 10, d['tabs'][0]['permissionBar']['$1']['y'] + 10)")"
  click_at "$X" "$Y"
}
page_click() {
  read -r X Y <<< "$(q "'%d %d' % (d['controls']['skTabSheet1']['x'] + 200, d['controls']['skTabSheet1']['y'] + 150)")"
  click_at "$X" "$Y"
}

echo "-- The location: asked, refused"
start_program
type_address "$SITE/locate.htm"
wait_for "d['tabs'][0]['permissionBar'] is not None" 30
[ "$(q "d['tabs'][0]['permissionBar']['text']")" = "127.0.0.1 请求获取您的位置。" ] ||
  fail "the bar says $(q "d['tabs'][0]['permissionBar']['text']")"
[ "$(q "d['tabs'][0]['permissionBar']['allowCaption'] + '/' + d['tabs'][0]['permissionBar']['denyCaption']")" = "允许/拒绝" ] ||
  fail "the buttons say $(q "d['tabs'][0]['permissionBar']")"
sleep 0.5
[ "$(q "d['tabs'][0]['title']")" = waiting ] || fail "the page did not wait: $(q "d['tabs'][0]['title']")"
bar_click deny
wait_for "d['tabs'][0]['title'] == 'refused' and d['tabs'][0]['permissionBar'] is None" 20
wait_for "d['siteRights'].get('Geolocation') == {'127.0.0.1': 'deny'}"

quit_program

echo "-- Notifications: asked after the player's click, allowed"
start_program
type_address "$SITE/notify.htm"
wait_for "d['tabs'][0]['title'] == 'waiting'" 30
page_click
wait_for "d['tabs'][0]['permissionBar'] is not None" 20
[ "$(q "d['tabs'][0]['permissionBar']['text']")" = "127.0.0.1 请求向您显示通知。" ] ||
  fail "the bar says $(q "d['tabs'][0]['permissionBar']['text']")"
bar_click allow
wait_for "d['tabs'][0]['title'] == 'granted' and d['tabs'][0]['permissionBar'] is None" 20
wait_for "d['siteRights'].get('Notifications') == {'127.0.0.1': 'allow'}"
grep -qF 'Orbisurf\Sites\Notifications]' "$XINGFAN_REGISTRY" || fail "not in our subkey: $(cat "$XINGFAN_REGISTRY")"
quit_program

echo "-- After a restart both are answered without a question"
start_program
type_address "$SITE/notify.htm"
wait_for "d['tabs'][0]['title'] == 'waiting'" 30
page_click
wait_for "d['tabs'][0]['title'] == 'granted'" 20
[ "$(q "d['tabs'][0]['permissionBar']")" = None ] || fail "asked again: $(q "d['tabs'][0]['permissionBar']")"
type_address "$SITE/locate.htm"
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['title'] == 'refused'" 30
[ "$(q "d['tabs'][1]['permissionBar']")" = None ] || fail "asked again: $(q "d['tabs'][1]['permissionBar']")"
quit_program
echo "PASS"
