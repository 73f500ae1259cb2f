# Sourced after lib.sh by the scripts that browse a local web site: the
# site of player_site.py on 127.0.0.1, clicks on rows of its pages, and a
# desktop program that only records what it was asked to open.

SITE_PID=""
# start_site: serves site/ and the special addresses; sets $SITE (the base URL).
# start_site [SCRIPT]: the local web site (player_site.py unless named).
start_site() {
  python3 "$HERE/${1:-player_site.py}" --port-file "$WORK/site.port" >>"$WORK/site.log" 2>&1 &
  SITE_PID=$!
  for _ in $(seq 1 100); do [ -s "$WORK/site.port" ] && break; sleep 0.1; done
  [ -s "$WORK/site.port" ] || fail "the web site did not start"
  SITE="http://127.0.0.1:$(cat "$WORK/site.port")"
}
stop_site() { if [ -n "$SITE_PID" ]; then kill "$SITE_PID" 2>/dev/null || true; SITE_PID=""; fi; }
trap 'stop_program; stop_site; rm -rf "$WORK"' EXIT

# click_row N: clicks row N (40 pixels each, from the top of the page) of the
# page in the active tab; the page starts under the tab strip.
click_row() {
  dump
  read -r X Y <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 120, d['controls']['PclParent']['y'] + 22 + 40 * $1 + 20)")"
  click_at "$X" "$Y"
}

# use_recorder: the desktop opens xftest: links, text and binary files and folders
# with a program that writes each address it gets to $WORK/launched.txt.
use_recorder() {
  mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
  cat > "$WORK/record.sh" <<REC
#!/bin/sh
for a in "\$@"; do printf '%s\n' "\$a" >> "$WORK/launched.txt"; done
REC
  chmod +x "$WORK/record.sh"
  printf '[Desktop Entry]\nType=Application\nName=Recorder\nExec=%s %%u\nMimeType=x-scheme-handler/xftest;text/plain;application/octet-stream;inode/directory;\nNoDisplay=true\n' \
    "$WORK/record.sh" > "$XDG_DATA_HOME/applications/xf-record.desktop"
  printf '[Default Applications]\nx-scheme-handler/xftest=xf-record.desktop\ntext/plain=xf-record.desktop\napplication/octet-stream=xf-record.desktop\ninode/directory=xf-record.desktop\n' \
    > "$XDG_CONFIG_HOME/mimeapps.list"
}

# wait_launched TEXT: waits until the recorder was given an address containing TEXT.
wait_launched() {
  for _ in $(seq 1 50); do grep -qF -- "$1" "$WORK/launched.txt" 2>/dev/null && return 0; sleep 0.2; done
  fail "the desktop was not asked to open $1 (it got: $(cat "$WORK/launched.txt" 2>/dev/null))"
}

# go_to URL: like type_address, but makes sure the box is empty before
# typing and holds exactly URL before Return, so that a slow select-all
# cannot mix the old address into the new one.
go_to() {
  read -r X Y <<< "$(q "'%d %d' % (d['controls']['cmbAddr']['x'] + 100, d['controls']['cmbAddr']['y'] + 10)")"
  click_at "$X" "$Y"
  wait_for "d['focus'] == 'cmbAddr'"
  for _ in 1 2 3 4 5; do
    xdotool key ctrl+a BackSpace
    sleep 0.2
    dump
    [ "$(q "d['address']")" = "" ] && break
  done
  xdotool type --delay 5 "$1"
  wait_for "d['address'] == '$1'" 10
  xdotool key Return
}

# open_options: 工具 > Internet选项; DX DY are where the dialog's client area
# is on the screen (inside the window manager's frame). The dialog must be
# drawn, not a blank window (the input method once kept its paint off the
# screen).
open_options() {
  screenshot "$WORK/before-options.ppm"
  open_bar '工具(T)'
  choose mnuInternet 0
  local dialog=""
  for _ in $(seq 1 50); do
    dialog=$(xdotool search --onlyvisible --name '^Internet选项$' 2>/dev/null | head -1 || true)
    [ -n "$dialog" ] && break
    sleep 0.2
  done
  [ -n "$dialog" ] || fail "no Internet options dialog"
  sleep 0.5
  read -r DX DY <<< "$(xwininfo -id "$dialog" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')"
  expect_painted "$WORK/before-options.ppm" "$DX" "$DY" 380 318
}

# close_options: the dialog's 关闭, then waits for it to go.
close_options() {
  click_at $(( DX + 288 + 38 )) $(( DY + 274 + 13 ))
  for _ in $(seq 1 50); do xdotool search --onlyvisible --name '^Internet选项$' >/dev/null 2>&1 || break; sleep 0.2; done
}

# clear_cookies: 工具 > Internet选项, its cookie button, then 关闭.
clear_cookies() {
  open_options
  # The cookie button sits at (194, 70), 170 x 28, in the dialog's client area.
  click_at $(( DX + 194 + 85 )) $(( DY + 70 + 14 ))
  sleep 2
  close_options
}
