#!/usr/bin/env bash
# Chinese text in the search box and the address box: characters whose
# keysym has no key on the keyboard (what scripted typing and compose
# sequences send) are typed; an input method's pre-edit text shows inline
# at the caret, underlined, before it is committed; the input method is
# told where the caret is, so its candidates open beside it.
source "$(dirname "$0")/lib.sh"

focus_box() { # NAME
  dump
  read -r X Y <<< "$(q "'%d %d' % (d['controls']['$1']['x'] + 60, d['controls']['$1']['y'] + d['controls']['$1']['h'] // 2)")"
  click_at "$X" "$Y"
  wait_for "d['focus'] == '$1'"
  xdotool key ctrl+a BackSpace
}
# The input method heard the caret's place: the caret of the focused box.
caret_told() {
  wait_for "d['inputMethod']['cursor'] == d['inputMethod']['caret'] and d['controls']['$1']['x'] <= d['inputMethod']['cursor']['x'] < d['controls']['$1']['x'] + d['controls']['$1']['w'] and d['controls']['$1']['y'] <= d['inputMethod']['cursor']['y'] < d['controls']['$1']['y'] + d['controls']['$1']['h']"
}

# The session's own input method (the locale's): keysyms typed. xdotool
# binds each character to a spare key for a moment and unbinds it soon
# after; a program still busy with the last key (the search box looks up
# suggestions on every change) may read the key after it lost its meaning,
# so each character goes in once the one before it has arrived.
start_program
focus_box edtFindName
typed=""
for c in 中 国 象 棋; do
  xdotool type --delay 60 "$c"
  typed="$typed$c"
  wait_for "d['search'] == '$typed'"
done
caret_told edtFindName
X0=$(q "d['inputMethod']['cursor']['x']")
xdotool type --delay 60 星
wait_for "d['search'] == '中国象棋星' and d['inputMethod']['cursor']['x'] > $X0"
caret_told edtFindName
quit_program

# An input method that composes (GTK's own: Ctrl+Shift+U and a code point).
export GTK_IM_MODULE=gtk-im-context-simple
start_program
for box in edtFindName cmbAddr; do
  focus_box "$box"
  field=search; [ "$box" = cmbAddr ] && field=address
  xdotool type --delay 30 ab
  wait_for "d['$field'] == 'ab'"
  caret_told "$box"
  X0=$(q "d['inputMethod']['cursor']['x']")
  read -r BX BY BW BH <<< "$(q "'%d %d %d %d' % (d['controls']['$box']['x'], d['controls']['$box']['y'], d['controls']['$box']['w'], d['controls']['$box']['h'])")"
  screenshot "$WORK/before.ppm"
  xdotool key ctrl+shift+u 6 5 8 7
  wait_for "d['inputMethod']['preedit'] == 'u6587' and d['$field'] == 'ab'"
  # Shown in the box, after the typed text, and the caret after it.
  caret_told "$box"
  wait_for "d['inputMethod']['cursor']['x'] > $X0 + 20"
  expect_painted "$WORK/before.ppm" "$X0" "$((BY + 2))" 30 "$((BH - 4))"
  xdotool key space
  wait_for "d['inputMethod']['preedit'] == '' and d['$field'] == 'ab文'"
done
quit_program
echo "PASS"
