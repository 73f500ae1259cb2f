#!/usr/bin/env bash
# The README's pictures of the game features, taken from the real program
# against the local test sites and cropped to what each one shows. Run by
# hand in the test session, never by the test suite:
#   scripts/desktop-session.sh -- scripts/readme-screenshots.sh build-test/bin
# Writes docs/search-results.png, docs/search-suggestions.png,
# docs/tab-sound.png, docs/account-tab.png, docs/screenshot-status.png and
# docs/boss-key.png.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DOCS=$ROOT/docs
source "$ROOT/tests/e2e/lib.sh" "${1:?usage: readme-screenshots.sh BIN_DIR}"
source "$HERE/play/lib.sh"
source "$HERE/player_lib.sh"
# A home of a readable name: the status line shows where pictures go.
export HOME=/tmp/xingfan-readme/player
rm -rf /tmp/xingfan-readme
mkdir -p "$HOME"
trap 'stop_program; stop_pages; stop_site; [ -z "$SERVER_PID" ] || kill "$SERVER_PID" 2>/dev/null; rm -rf "$WORK" /tmp/xingfan-readme' EXIT

# crop NAME X Y W H: that rectangle of the screen as docs/NAME.png.
crop() {
  sleep 0.5
  import -window root "$WORK/screen.png"
  convert "$WORK/screen.png" -crop "$4x$5+$2+$3" +repage -strip -define png:compression-level=9 "$DOCS/$1.png"
  echo "docs/$1.png ${4}x$5"
}
box() { q "' '.join(str(d['controls']['$1'][k]) for k in 'xywh')"; }

# The game list, imported from the local update server at the start.
mkdir -p "$WORK/server/Lib"
python3 - "$WORK/server/Lib/0.txt" <<'PY'
import sys
games = [("中国象棋", "棋牌"), ("象棋大师", "棋牌"), ("象棋残局", "棋牌"), ("欢乐斗地主", "棋牌"),
         ("小小象棋王", "休闲"), ("连连看", "休闲"), ("星际象棋", "策略")]
text = "".join("[%d]\r\nmc=%s\r\nlx=%s\r\nurl=http://127.0.0.1/%d.htm\r\n" % (i, g, c, i) for i, (g, c) in enumerate(games))
open(sys.argv[1], "wb").write(text.encode("gb18030"))
PY
printf '[1]\r\nmc=second\r\n' >"$WORK/server/Lib/tj.txt"
# The page server first: it and the update server report their ports
# through the same file.
start_pages
PAGES=$SITE
start_server "$WORK/server"
start_site accounts_site.py
ACCOUNTS=$SITE

program_copy ocn.js
rm -f "$WORK/bin/xingfan.ini"
cp "$BIN/ocn.js" "$WORK/bin/ocn.js"
printf '[Update]\r\nBaseURL=http://127.0.0.1:%s\r\n[Network]\r\nTestURL=http://127.0.0.1:%s/\r\n' \
  "$PORT" "$PORT" >"$WORK/bin/xingfan.ini"
db "insert or replace into Stwh(C_disk,S_Datetime,R_count,icount) values('$(hostname)','t',0,0)"
mkdir -p "$XDG_CONFIG_HOME"
echo 'XDG_PICTURES_DIR="$HOME/图片"' >"$XDG_CONFIG_HOME/user-dirs.dirs"

start_program "$WORK/bin"
for _ in $(seq 1 100); do [ "$(db 'select count(*) from RTKey')" = 7 ] && break; sleep 0.2; done
[ "$(db 'select count(*) from RTKey')" = 7 ] || fail "the list was not imported"

# A tab playing sound, with its speaker (the first tab takes the address).
go_to "$PAGES/sound.htm"
wait_for "d['tabs'][0]['title'] == 'silent'" 30
read -r CX CY <<< "$(page_centre)"
click_at "$CX" "$CY"
wait_for "d['tabs'][0]['title'] == 'tone running' and d['tabs'][0]['speaker'] and d['tabs'][0]['speaker']['state'] == 'playing'" 20
read -r PX PY PW PH <<< "$(box PclParent)"
crop tab-sound "$PX" "$PY" 400 26

# The drop-down under the search box, the second row highlighted.
read -r X Y <<< "$(centre edtFindName)"
click_at "$X" "$Y"
wait_for "d['focus'] == 'edtFindName'"
xdotool key End $(printf 'BackSpace %.0s' $(seq 1 20))
xdotool type --delay 40 xq
wait_for "d['searchSuggestions']['open'] and len(d['searchSuggestions']['items']) >= 4"
xdotool key Down Down
wait_for "d['searchSuggestions']['highlight'] == 1"
read -r BX BY BW BH <<< "$(box edtFindName)"
read -r LH <<< "$(q "d['searchSuggestions']['h']")"
crop search-suggestions $((BX - 120)) $((BY - 8)) $((BW + 170)) $((BH + LH + 24))

# The search page of the typed text (Escape closed the drop-down).
xdotool key Escape
wait_for "not d['searchSuggestions']['open']"
xdotool key Return
wait_for "d['tabs'][-1]['title'].startswith('搜索：xq')" 20
read -r PX PY PW PH <<< "$(box PclParent)"
crop search-results "$PX" "$PY" 640 360

# A second-account tab beside one of the common store, logged in as A and B.
go_to "$ACCOUNTS/login?user=A"
wait_for "d['tabs'][-1]['title'] == 'login A'" 30
open_bar '文件(F)'
choose mnuAccount 0
wait_for "d['tabs'][-1]['account'] == 1 and d['tabs'][-1]['active']"
go_to "$ACCOUNTS/login?user=B"
wait_for "d['tabs'][-1]['title'] == 'login B'" 30
crop account-tab "$PX" "$PY" 720 26

# The status line after 游戏截图 (Ctrl+Alt+A).
read -r CX CY <<< "$(page_centre)"
click_at "$CX" "$CY"
xdotool key ctrl+alt+a
wait_for "d['status'].startswith('截图已保存到 ')" 15
read -r SX SY SW SH <<< "$(box palBottom)"
crop screenshot-status "$SX" "$SY" 720 "$SH"

# The boss key's part of the Internet options dialog.
open_options
crop boss-key "$DX" $((DY + 128)) 380 140
close_options
quit_program
