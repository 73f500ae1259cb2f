#!/usr/bin/env bash
# Downloads on the real engine from a local web site: an attachment, a
# link with the download attribute, a blob link, a slow 4 MB file, a server
# that hangs up and a hostile file name. Files go to ~/Downloads (made when
# missing) through a .part file, never over an existing file; the page,
# the tab and the address box stay; the bar shows each download and its
# cancel button stops one; 打开 and 打开文件夹 go to the desktop's programs,
# and a file gone since says so on the status line.
source "$(dirname "$0")/lib.sh"
source "$HERE/player_lib.sh"

DL=$HOME/Downloads
use_recorder
start_site
start_program
PAGE="$SITE/downloads.htm"
go_to "$PAGE"
wait_for "d['tabs'][0]['url'] == '$PAGE' and d['tabs'][0]['title'] == 'downloads'" 30
[ -d "$DL" ] && fail "the download folder exists before any download"

# finished N NAME: waits for download N to be finished under NAME.
finished() {
  wait_for "len(d['downloads']) >= $1 and d['downloads'][$1 - 1]['state'] == 'finished' and d['downloads'][$1 - 1]['name'] == '$2'" 30
  [ -f "$DL/$2" ] || fail "no $DL/$2"
}
# The page, its tab and the address box are as they were.
page_kept() {
  dump
  [ "$(q "len(d['tabs']) == 1 and d['tabs'][0]['url'] == '$PAGE' and d['tabs'][0]['caption'] == 'downloads'")" = True ] ||
    fail "the tab left its page: $(q "d['tabs']")"
  [ "$(q "d['address']")" = "$PAGE" ] || fail "the address box shows $(q "d['address']")"
}

# A blob link: the folder is made, the file holds what the page made.
click_row 2
finished 1 blob.txt
[ "$(cat "$DL/blob.txt")" = "made in the page" ] || fail "blob.txt holds $(cat "$DL/blob.txt")"
page_kept
[ "$(q "d['controls']['FrameDownloads']['visible']")" = True ] || fail "the downloads bar is hidden"

# An attachment twice, with a file of that name already there.
printf 'mine\n' > "$DL/notes.txt"
click_row 0
finished 2 'notes(1).txt'
click_row 0
finished 3 'notes(2).txt'
[ "$(cat "$DL/notes.txt")" = "mine" ] || fail "the user's notes.txt was changed"
[ "$(cat "$DL/notes(2).txt")" = "contents of notes.txt" ] || fail "notes(2).txt holds $(cat "$DL/notes(2).txt")"
[ -e "$HOME/notes.txt" ] && fail "a download went into the home folder"
page_kept

# 打开 and 打开文件夹 hand the file and its folder to the desktop's programs.
press_row_button() {
  read -r BX BY <<< "$(q "'%d %d' % (d['downloads'][$1]['buttons']['$2']['x'] + 10, d['downloads'][$1]['buttons']['$2']['y'] + 10)")"
  click_at "$BX" "$BY"
}
press_row_button 2 open
wait_launched "$DL/notes(2).txt"
press_row_button 2 folder
wait_launched "$DL"
grep -qx -e "$DL" -e "file://$DL" -e "$DL/" -e "file://$DL/" "$WORK/launched.txt" ||
  fail "the folder was not opened: $(cat "$WORK/launched.txt")"
# A file that has gone since cannot be opened, and the status line says so.
rm "$DL/notes(1).txt"
press_row_button 1 open
wait_for "(d['status'].startswith('无法打开') or d['status'].startswith('没有可以打开')) and 'notes(1).txt' in d['status']" 10
grep -qF 'notes(1).txt' "$WORK/launched.txt" && fail "the desktop was asked to open a file that is gone"
page_kept

# The download attribute names the file.
click_row 1
finished 4 '攻略.txt'
[ "$(cat "$DL/攻略.txt")" = "plain readme.txt" ] || fail "攻略.txt holds $(cat "$DL/攻略.txt")"

# A hostile name stays in the folder, visible and without control characters.
click_row 4
wait_for "len(d['downloads']) >= 5 and d['downloads'][4]['state'] == 'finished'" 30
NAME=$(q "d['downloads'][4]['name']")
case "$NAME" in .*|*/*|'') fail "hostile name kept as '$NAME'" ;; esac
[ "$(q "d['downloads'][4]['path'] == '$DL/' + d['downloads'][4]['name']")" = True ] || fail "saved outside: $(q "d['downloads'][4]['path']")"
[ "$(q "any(ord(c) < 32 or 0x202a <= ord(c) <= 0x202e for c in d['downloads'][4]['name'])")" = False ] || fail "control characters kept"
[ -e "$HOME/.bashrc" ] && fail "a file escaped into the home folder"
[ -f "$DL/$NAME" ] || fail "no $DL/$NAME"

# The slow 4 MB file: progress and speed while it runs, a .part file that
# becomes the file at the end.
click_row 3
wait_for "len(d['downloads']) >= 6 and d['downloads'][5]['received'] > 0 and d['downloads'][5]['state'] == 'running'" 30
[ -f "$DL/big.bin.part" ] || ls "$DL"/big.bin.part* >/dev/null 2>&1 || fail "no part file while downloading: $(ls -a "$DL")"
[ -e "$DL/big.bin" ] && fail "big.bin exists before it is complete"
wait_for "'%' in d['downloads'][5]['text'] and '/s' in d['downloads'][5]['text'] and d['downloads'][5]['total'] == 4194304" 20
wait_for "d['downloads'][5]['state'] == 'finished'" 40
[ "$(stat -c %s "$DL/big.bin")" = 4194304 ] || fail "big.bin has $(stat -c %s "$DL/big.bin") bytes"
ls "$DL" | grep -q '\.part' && fail "a part file was left: $(ls "$DL")"

# The same again, cancelled with the bar's button: nothing is left.
click_row 3
wait_for "len(d['downloads']) >= 7 and d['downloads'][6]['received'] > 0 and 'cancel' in d['downloads'][6]['buttons']" 30
read -r CX CY <<< "$(q "'%d %d' % (d['downloads'][6]['buttons']['cancel']['x'] + 10, d['downloads'][6]['buttons']['cancel']['y'] + 10)")"
click_at "$CX" "$CY"
wait_for "d['downloads'][6]['state'] == 'cancelled'" 20
sleep 0.5
ls "$DL" | grep -q -e '\.part' -e 'big(1)' && fail "a cancelled download left a file: $(ls "$DL")"

# A server that hangs up: the download fails and says why; nothing is left.
click_row 5
wait_for "len(d['downloads']) >= 8 and d['downloads'][7]['state'] == 'failed'" 30
[ "$(q "d['downloads'][7]['text'].startswith('下载失败：') and len(d['downloads'][7]['error']) > 0")" = True ] ||
  fail "no reason for the failure: $(q "d['downloads'][7]")"
sleep 0.5
ls "$DL" | grep -q -e '\.part' -e 'broken' && fail "a failed download left a file: $(ls "$DL")"
page_kept

quit_program
echo "PASS"
