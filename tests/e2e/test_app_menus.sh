#!/usr/bin/env bash
# The menus of the real program, opened with real clicks and keys: view
# source writes the page's body into Codehtml.txt and hands it to the
# desktop's viewer, the text size changes what the real view renders, and
# the pane toggles hide and show the panes.
source "$(dirname "$0")/lib.sh"

# The desktop's text viewer: a script that notes the file it was given.
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
printf '#!/bin/sh\necho "$1" >> "%s/viewer.log"\n' "$WORK" > "$WORK/viewer.sh"
chmod +x "$WORK/viewer.sh"
printf '[Desktop Entry]\nType=Application\nName=Viewer\nExec=%s/viewer.sh %%f\nMimeType=text/plain;\n' \
  "$WORK" > "$XDG_DATA_HOME/applications/xf-viewer.desktop"
printf '[Default Applications]\ntext/plain=xf-viewer.desktop\n' > "$XDG_CONFIG_HOME/mimeapps.list"

# The program writes Codehtml.txt into its own folder.
program_copy Codehtml.txt
APP=$WORK/bin

title() { q "d['tabs'][0]['title']"; }

start_program "$APP"
type_address "file://$HERE/app/menus.htm"
wait_for "d['tabs'][0]['url'].endswith('menus.htm') and d['tabs'][0]['title'].startswith('h')"
[ "$(q "[b['caption'] for b in d['menuBar']]")" = "['文件(F)', '编辑(E)', '查看(V)', '收藏(A)', '工具(T)', '帮助(H)']" ] ||
  fail "menu bar: $(q "d['menuBar']")"

# View source: the body only, then the viewer.
open_bar '查看(V)'
[ "$(q "[i['name'] for i in d['openMenus'][0] if not i['visible']]")" = "['mnuCoding']" ] || fail "hidden items"
choose mnuSource 0
for _ in $(seq 1 50); do [ -s "$WORK/viewer.log" ] && break; sleep 0.1; done
[ "$(cat "$WORK/viewer.log" 2>/dev/null)" = "$APP/Codehtml.txt" ] || fail "the viewer was not started: $(cat "$WORK/viewer.log" 2>/dev/null)"
grep -q '^<body><p><span id="m">菜单测试页</span></p>' "$APP/Codehtml.txt" || fail "Codehtml.txt: $(head -c 300 "$APP/Codehtml.txt")"
grep -q '<head>\|<title>' "$APP/Codehtml.txt" && fail "Codehtml.txt holds more than the body"

# Text size by mouse: 查看 > 文字大小 > 最大; the view renders larger text.
dump
MIDDLE=$(title)
open_bar '查看(V)'
choose N15 2
[ "$(q "[i['name'] for i in d['openMenus'][1] if i['checked']]")" = "['mnuIn']" ] || fail "text size marks"
choose mnuMax 0
wait_for "d['checked']['mnuMax'] and not d['checked']['mnuIn'] and int(d['tabs'][0]['title'][1:]) > ${MIDDLE#h}"
LARGEST=$(title)

# Text size by keyboard from the address box: Alt, right twice to 查看,
# down opens it, X the text-size menu, S for 最小.
read -r X Y <<< "$(q "'%d %d' % (d['controls']['cmbAddr']['x'] + 100, d['controls']['cmbAddr']['y'] + 10)")"
click_at "$X" "$Y"
xdotool key alt
xdotool key Right Right Down
wait_for "len(d['openMenus']) == 1"
xdotool key x
wait_for "len(d['openMenus']) == 2"
xdotool key s
wait_for "d['checked']['mnuMin'] and not d['checked']['mnuMax'] and int(d['tabs'][0]['title'][1:]) < ${MIDDLE#h}"
echo "text heights: middle $MIDDLE, largest $LARGEST, smallest $(title)"

# Pane toggles: the address row, then the game directory, each twice.
open_bar '查看(V)'
choose N7 2
choose mnuAddr 0
wait_for "not d['controls']['palRUL']['visible']"
open_bar '查看(V)'
choose N7 2
choose mnuAddr 0
wait_for "d['controls']['palRUL']['visible']"
open_bar '收藏(A)'
choose mnuGwWeb 0
wait_for "not d['controls']['palLeft']['visible'] and not d['controls']['webLeft']['visible']"
open_bar '收藏(A)'
choose mnuGwWeb 0
wait_for "d['controls']['palLeft']['visible'] and d['controls']['webLeft']['visible']"

# Escape closes an open menu without a command.
open_bar '工具(T)'
xdotool key Escape Escape
wait_for "len(d['openMenus']) == 0"
[ "$(q "len(d['tabs'])")" = "1" ] || fail "a command ran"
quit_program
echo "PASS"
