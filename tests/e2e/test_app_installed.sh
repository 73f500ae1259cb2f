#!/usr/bin/env bash
# The installed program. `cmake --install` into a prefix lays out the
# program folder, the launcher, the desktop entry, the icons and the manual
# page. Started through the launcher by a user who cannot write the program
# folder, the program shows its pages and its icon, keeps its own files
# (favourites page, database, downloaded lists) in that user's folder, leaves
# the program folder as installed and shows no error.
source "$(dirname "$0")/lib.sh"

BUILD=$(cd "$BIN/.." && pwd)
PREFIX=$WORK/prefix
APPDIR=$PREFIX/lib/xingfan
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
  fail "cmake --install: $(tail -5 "$WORK/install.log")"

# --- what was installed where
for f in xingfan UpModule.so ocn.js xingfan.ini left.htm Main.htm go.htm \
         星帆用户反馈.htm images/show.bmp images/hide.bmp xingfan.installed; do
  [ -f "$APPDIR/$f" ] || fail "not installed: $APPDIR/$f"
done
[ "$(find "$APPDIR/Skins" -name '*.skn' | wc -l)" = 7 ] || fail "skins: $(ls "$APPDIR/Skins")"
[ "$(readlink -f "$PREFIX/bin/xingfan")" = "$(readlink -f "$APPDIR/xingfan")" ] ||
  fail "the launcher does not lead to the program: $(ls -l "$PREFIX/bin")"
DESKTOP=$PREFIX/share/applications/xingfan.desktop
desktop-file-validate "$DESKTOP" || fail "the desktop entry is not valid"
grep -qx 'MimeType=x-scheme-handler/http;x-scheme-handler/https;text/html;' "$DESKTOP" || fail "MimeType"
grep -qx "Exec=$PREFIX/bin/xingfan %U" "$DESKTOP" || fail "Exec: $(grep ^Exec "$DESKTOP")"
grep -qx "Icon=xingfan" "$DESKTOP" || fail "Icon"
for size in 16 22 24 32 48 64 128 256; do
  png=$PREFIX/share/icons/hicolor/${size}x${size}/apps/xingfan.png
  got=$(python3 -c "
import struct, sys
head = open(sys.argv[1], 'rb').read(26)
ok = head[:8] == b'\x89PNG\r\n\x1a\n' and head[25] == 6
print('%dx%d' % struct.unpack('>II', head[16:24]) if ok else 'not an RGBA PNG')" "$png") || got=missing
  [ "$got" = "${size}x${size}" ] || fail "icon $size: $got"
done
MANUAL=$(LC_ALL=C.UTF-8 MANWIDTH=100 man -l "$PREFIX/share/man/man1/xingfan.1" 2>/dev/null) || true
grep -q 'xingfan - 星帆IE' <<< "$MANUAL" || fail "the manual page does not render"

# --- the administrator points the installed copy at the local server
start_server "$HERE/../../resources/server"
sed -i "s|^BaseURL=.*|BaseURL=http://127.0.0.1:$PORT|; s|^TestURL=.*|TestURL=http://127.0.0.1:$PORT/|" \
  "$APPDIR/xingfan.ini"
(cd "$APPDIR" && find . -printf '%p %s %T@\n' | sort) >"$WORK/installed.list"

# --- a user of their own
U=$WORK/user
mkdir -p "$U/home" "$U/run"
chmod 700 "$U/run"
AS=()
if [ "$(id -u)" = 0 ]; then
  id xftest >/dev/null 2>&1 || useradd --no-create-home --shell /usr/sbin/nologin xftest ||
    { echo "SKIP: no unprivileged user can be made"; exit 0; }
  chmod 755 "$WORK"
  chown -R xftest: "$U"
  AS=(runuser -u xftest --)
  "${AS[@]}" test -w "$APPDIR" && fail "the unprivileged user can write the program folder"
fi
# A locale the session compiled into its own folder is copied where the
# user can read it.
if [ -n "${LOCPATH:-}" ]; then
  cp -r "$LOCPATH" "$U/locale"
  [ ${#AS[@]} = 0 ] || chown -R xftest: "$U/locale"
  export LOCPATH=$U/locale
fi
DATA=$U/data/xingfan
export XINGFAN_STATE_DUMP=$U/state.json
USER_ENV=(HOME="$U/home" XDG_CONFIG_HOME="$U/config" XDG_DATA_HOME="$U/data" XDG_CACHE_HOME="$U/cache"
          XDG_RUNTIME_DIR="$U/run" XINGFAN_REGISTRY="$U/registry.reg" XINGFAN_STATE_DUMP="$XINGFAN_STATE_DUMP"
          XINGFAN_UPMODULE_LOG="$U/upmodule.log")
# The user's own session bus: the program is one per user session.
start_installed() {
  rm -f "$U/pid"
  "${AS[@]}" env "${USER_ENV[@]}" dbus-run-session -- sh -c 'echo $$ >"$0"; exec "$@"' "$U/pid" \
    "$PREFIX/bin/xingfan" >>"$WORK/out.log" 2>&1 &
  for _ in $(seq 1 100); do [ -s "$U/pid" ] && break; sleep 0.1; done
  PID=$(cat "$U/pid" 2>/dev/null) || fail "the program did not start"
  await_window
  wait_for "len(d['tabs']) == 1"
}
# sql QUERY: the user's database, read while the program may be writing it.
sql() { python3 -c "import sqlite3,sys; print(sqlite3.connect('file:'+sys.argv[1]+'?mode=ro', uri=True, timeout=5).execute(sys.argv[2]).fetchone()[0])" "$DATA/ocn.js" "$1"; }
wait_sql() {
  for _ in $(seq 1 100); do [ "$(sql "$1" 2>/dev/null)" = "$2" ] && return 0; sleep 0.2; done
  fail "$1 is $(sql "$1" 2>&1), not $2"
}

# The database is installed empty, whatever the build folder's copy went
# through.
[ "$(python3 -c "import sqlite3,sys; print(sqlite3.connect(sys.argv[1]).execute('select count(*) from Stwh').fetchone()[0])" "$APPDIR/ocn.js")" = 0 ] ||
  fail "the installed database is not empty"

# First start: the pages come from the program folder, the user's files
# go to the user's folder, the database gets this computer's first row.
start_installed
[ "$(q "d['dataPath']")" = "$DATA/" ] || fail "data folder: $(q "d['dataPath']")"
wait_for "d['leftPane']['title'] == '游戏网址'"
[ "$(q "d['leftPane']['url']")" = "file://$APPDIR/left.htm" ] || fail "left pane: $(q "d['leftPane']")"
wait_for "d['favoritesPane']['url'] == 'file://$DATA/Fav.htm'"
grep -q '<Title>我的收藏夹</Title>' "$DATA/Fav.htm" || fail "Fav.htm: $(head -c 200 "$DATA/Fav.htm")"
wait_sql "select count(*) from Stwh" 1
[ "$(stat -c %U "$DATA/Fav.htm")" = "$(stat -c %U "$U/home")" ] || fail "Fav.htm belongs to $(stat -c %U "$DATA/Fav.htm")"
[ "$(stat -c %a "$DATA")" = 700 ] || fail "the user's folder is open to others: $(stat -c %a "$DATA")"
# Read whole first: grep -q leaving early would end xprop (still printing the
# larger icons) with SIGPIPE, and the pipe would count as failed.
ICONS=$(xprop -id "$WIN" _NET_WM_ICON) || fail "xprop could not read the window's icons"
grep -q 'Icon (48 x 48)' <<< "$ICONS" || fail "no 48 x 48 window icon"
dump
[ "$(q "d['messageBoxes']")" = "[]" ] || fail "message boxes: $(q "d['messageBoxes']")"
quit_program

# Second start: the lists are downloaded, imported from the user's folder
# and removed from it; the start is counted.
start_installed
wait_sql "select icount from Stwh" 1
[ "$(sql "select count(*) from RT")" -gt 0 ] || fail "no game-list rows"
[ "$(sql "select count(*) from ListTR")" -gt 0 ] || fail "no second-list rows"
[ -z "$(find "$DATA" -maxdepth 1 -name '*.txt')" ] || fail "list files left behind: $(ls "$DATA")"
dump
[ "$(q "d['messageBoxes']")" = "[]" ] || fail "message boxes: $(q "d['messageBoxes']")"
quit_program

(cd "$APPDIR" && find . -printf '%p %s %T@\n' | sort) | diff "$WORK/installed.list" - ||
  fail "the program folder changed"
echo "PASS"
