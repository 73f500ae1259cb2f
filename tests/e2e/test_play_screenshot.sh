#!/usr/bin/env bash
# 游戏截图 on the real engine: Ctrl+Alt+A while the page has the keyboard and
# the 工具 menu's item save the active tab's page as a PNG of the viewport's
# size in "星帆截图" of the desktop's pictures folder, named by date and
# title, never over an earlier one; the status line says where. A
# fullscreen game is taken at the screen's size and stays fullscreen.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
# The desktop names the pictures folder in its own language.
mkdir -p "$XDG_CONFIG_HOME"
echo 'XDG_PICTURES_DIR="$HOME/图片"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
SHOTS="$HOME/图片/星帆截图"
start_pages
start_program

type_address "$SITE/shot.htm"
wait_for "d['tabs'][0]['title'].startswith('游戏/画面 ')" 30
read -r CX CY <<< "$(page_centre)"

# check_shot COUNT TITLE_PREFIX: the newest of COUNT pictures has the size the
# page's title gives, the page's own colour, a name of date and safe title,
# and the status line names it.
LAST_PATH=""
check_shot() {
  wait_for "d['status'].startswith('截图已保存到 ') and d['status'] != '截图已保存到 $LAST_PATH' and len(__import__('os').listdir('$SHOTS')) == $1" 15
  local path
  path=$(q "d['status'][len('截图已保存到 '):]")
  LAST_PATH=$path
  python3 - "$SHOTS" "$1" "$2" "$path" "$(q "d['tabs'][0]['title']")" <<'PY' || fail "wrong screenshot"
import os, re, struct, sys, zlib
folder, count, prefix, path, title = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5]
files = sorted(os.listdir(folder))
assert len(files) == count, files
assert os.path.dirname(path) == folder and os.path.basename(path) in files, (path, files)
name = os.path.basename(path)
safe = prefix.replace('/', '_')
m = re.fullmatch(r'\d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d ' + re.escape(safe) + r'(\d+)x(\d+)(\(\d+\))?\.png', name)
assert m, (name, title)
data = open(path, 'rb').read()
assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
w, h = struct.unpack('>II', data[16:24])
# The page's size when the picture was asked for is in its name.
want = (int(m.group(1)), int(m.group(2)))
assert (w, h) == want, ((w, h), want, title)
# The middle pixel is the page's colour (#2a6), not the window's.
depth, ctype = data[24], data[25]
idat = b''
pos = 8
while pos < len(data):
    n = struct.unpack('>I', data[pos:pos + 4])[0]
    kind = data[pos + 4:pos + 8]
    if kind == b'IDAT': idat += data[pos + 8:pos + 8 + n]
    pos += 12 + n
raw = zlib.decompress(idat)
bpp = {2: 3, 6: 4}[ctype]
stride = w * bpp + 1
rows, prev = [], bytearray(w * bpp)
for y in range(h):
    f, line = raw[y * stride], bytearray(raw[y * stride + 1:(y + 1) * stride])
    for i in range(len(line)):
        a = line[i - bpp] if i >= bpp else 0
        b = prev[i]
        c = prev[i - bpp] if i >= bpp else 0
        if f == 1: line[i] = (line[i] + a) & 255
        elif f == 2: line[i] = (line[i] + b) & 255
        elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c; pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line); prev = line
mid = rows[h // 2][(w // 2) * bpp:(w // 2) * bpp + 3]
assert tuple(mid) == (0x22, 0xaa, 0x66), tuple(mid)
PY
}

# steady_title: waits until the page's size has stayed the same a while
# (the window settles after leaving fullscreen).
steady_title() {
  local last="" now
  for _ in $(seq 1 40); do
    dump
    now=$(q "d['tabs'][0]['title']")
    [ "$now" = "$last" ] && return 0
    last=$now
    sleep 0.5
  done
  fail "the page's size did not settle"
}

# The chord with the keyboard in the page.
click_at "$CX" "$CY"
wait_for "d['player']['fullScreen']" 10
xdotool key Escape
wait_for "not d['player']['fullScreen'] and d['tabs'][0]['title'].startswith('游戏/画面 ')" 10
wait_for "d['focus'] == 'WebAction'"
steady_title
xdotool key ctrl+alt+a
check_shot 1 "游戏/画面 "
# Again at once: a second file beside the first, never over it.
xdotool key ctrl+alt+a
sleep 0.5
xdotool key ctrl+alt+a
check_shot 3 "游戏/画面 "

# The menu item.
open_bar "工具(T)"
choose mnuScreenshot 0
check_shot 4 "游戏/画面 "

# A fullscreen game: the picture is the whole screen and the game stays.
click_at "$CX" "$CY"
wait_for "d['player']['fullScreen'] and d['tabs'][0]['title'] == '全屏 %dx%d' % (d['player']['screenW'], d['player']['screenH'])" 10
steady_title
xdotool key ctrl+alt+a
check_shot 5 "全屏 "
dump
[ "$(q "d['player']['fullScreen']")" = True ] || fail "the screenshot left fullscreen"
xdotool key Escape
wait_for "not d['player']['fullScreen']" 10
quit_program
echo "PASS"
