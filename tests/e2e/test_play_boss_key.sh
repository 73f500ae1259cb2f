#!/usr/bin/env bash
# The boss key on the real engine, pressed while another program has the
# keyboard: Ctrl+Alt+Z takes the main window off the screen and silences
# every tab (the page plays on, unheard); pressed again it gives back the
# window where and as it was (maximised, or smaller elsewhere with NumLock
# on), the tab that was active and the tone's sound, while the tab the
# player had muted stays muted. A chord typed into the Internet options
# dialog takes the old one's place, and the dialog, still open, goes and
# comes back with the window.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
source "$HERE/player_lib.sh"
OTHER=""
trap 'stop_program; stop_pages; [ -z "$OTHER" ] || kill "$OTHER" 2>/dev/null; rm -rf "$WORK"' EXIT
start_pages
start_program

map_state() { xwininfo -id "$WIN" | sed -n 's/^ *Map State: //p'; }

dump
[ "$(q "d['bossKey']['chord']")" = "Ctrl+Alt+Z" ] || fail "chord $(q "d['bossKey']")"
[ "$(q "d['bossKey']['grabbed']")" = True ] || fail "the chord was not taken from the desktop: $(q "d['bossKey']")"

# Tab 1 plays a tone; tab 2 plays too but the player muted it; tab 1 is active.
go_to "$SITE/sound.htm"
wait_for "d['tabs'][0]['title'] == 'silent'" 30
start_tone 0
xdotool key ctrl+t
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['active']"
go_to "$SITE/sound.htm"
wait_for "d['tabs'][1]['title'] == 'silent'" 30
start_tone 1
open_bar "查看(V)"
choose mnuMute 0
wait_for "d['tabs'][1]['muted'] and not d['tabs'][0]['muted']"
xdotool key ctrl+shift+Tab
wait_for "d['tabs'][0]['active']"
[ "$(map_state)" = IsViewable ] || fail "the window is not on the screen: $(map_state)"

# Another program's window has the keyboard.
xlogo -geometry 220x160+60+60 >/dev/null 2>&1 &
OTHER=$!
OW=""
for _ in $(seq 1 50); do
  OW=$(xdotool search --onlyvisible --class '^xlogo$' 2>/dev/null | head -1 || true)
  [ -n "$OW" ] && break
  sleep 0.1
done
[ -n "$OW" ] || fail "the other program's window did not appear"
geometry() { xwininfo -id "$WIN" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }

# boss_round LOCK: the chord from the other window hides and silences; again
# (with LOCK pressed before it, then again after) it gives everything back.
boss_round() {
  local before maximized
  dump
  maximized=$(q "d['player']['maximized']")
  before=$(geometry)
  xdotool windowactivate --sync "$OW" 2>/dev/null || xdotool windowfocus --sync "$OW"
  sleep 0.3
  [ "$(xdotool getwindowfocus)" = "$OW" ] || fail "the other window does not have the keyboard"
  xdotool key ctrl+alt+z
  wait_for "d['bossKey']['hidden'] and all(t['muted'] for t in d['tabs'])"
  for _ in $(seq 1 20); do [ "$(map_state)" = IsUnMapped ] && break; sleep 0.1; done
  [ "$(map_state)" = IsUnMapped ] || fail "the window is still on the screen: $(map_state)"
  [ "$(tab 0 title)" = "tone running" ] || fail "the page stopped its tone: $(tab 0 title)"
  [ "$(tab 0 playingAudio)" = True ] || fail "the page no longer plays"
  [ "$(xdotool getwindowfocus)" != "$WIN" ] || fail "the hidden window kept the keyboard"

  [ -z "$1" ] || { xdotool key "$1"; sleep 0.2; }
  xdotool key ctrl+alt+z
  [ -z "$1" ] || xdotool key "$1"
  wait_for "not d['bossKey']['hidden'] and not d['tabs'][0]['muted'] and d['tabs'][1]['muted']"
  wait_for "d['tabs'][0]['active'] and d['tabs'][0]['speaker']['state'] == 'playing'"
  for _ in $(seq 1 20); do [ "$(map_state)" = IsViewable ] && break; sleep 0.1; done
  [ "$(map_state)" = IsViewable ] || fail "the window did not come back: $(map_state)"
  for _ in $(seq 1 20); do [ "$(geometry)" = "$before" ] && break; sleep 0.1; done
  [ "$(geometry)" = "$before" ] || fail "the window came back at $(geometry), not at $before"
  dump
  [ "$(q "d['player']['maximized']")" = "$maximized" ] || fail "maximised was $maximized, now not"
  [ "$(tab 1 muted)" = True ] || fail "the player's own mute was lifted"
  [ "$(tab 0 title)" = "tone running" ] || fail "the tone stopped: $(tab 0 title)"
}

# Maximised as the program starts; then a smaller window elsewhere, with
# NumLock on (X counts it as a modifier).
[ "$(q "d['player']['maximized']")" = True ] || fail "the window did not start maximised"
boss_round ""
dump
read -r X Y <<< "$(q "'%d %d' % (d['titleButtons']['max']['x'] + 10, d['titleButtons']['max']['y'] + 10)")"
click_at "$X" "$Y"
wait_for "not d['player']['maximized']"
xdotool windowsize "$WIN" 900 600
xdotool windowmove "$WIN" 150 100
wait_for "d['player']['w'] == 900 and d['player']['x'] == 150 and d['player']['y'] == 100"
boss_round Num_Lock

# A chord of the player's own, typed into 工具 > Internet选项 > 老板键: kept in
# the settings file, held instead of the old one from then on.
open_options
# The chord's box sits at (16, 188), 250 x 24, in the dialog's client area.
click_at $(( DX + 16 + 125 )) $(( DY + 188 + 12 ))
xdotool key ctrl+a BackSpace
xdotool type --delay 5 "ctrl+shift+b"
xdotool key Return
wait_for "d['bossKey']['chord'] == 'Shift+Ctrl+B' and d['bossKey']['grabbed']"
grep -q '"Chord"="Shift+Ctrl+B"' "$XINGFAN_REGISTRY" || fail "the chord is not in the settings file"
# The dialog still open over the window goes with it and comes back on top.
options_shown() { xdotool search --onlyvisible --name '^Internet选项$' >/dev/null 2>&1; }
xdotool key ctrl+shift+b
wait_for "d['bossKey']['hidden']"
for _ in $(seq 1 20); do options_shown || break; sleep 0.1; done
! options_shown || fail "the Internet options dialog stayed on the screen"
xdotool key ctrl+shift+b
wait_for "not d['bossKey']['hidden']"
for _ in $(seq 1 20); do options_shown && break; sleep 0.1; done
options_shown || fail "the Internet options dialog did not come back"
DIALOG=$(xdotool search --onlyvisible --name '^Internet选项$' | head -1)
read -r DX DY <<< "$(xwininfo -id "$DIALOG" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')"
for _ in $(seq 1 20); do [ "$(xdotool getwindowfocus)" = "$DIALOG" ] && break; sleep 0.1; done
[ "$(xdotool getwindowfocus)" = "$DIALOG" ] || fail "the dialog came back without the keyboard"
close_options
xdotool windowactivate --sync "$OW" 2>/dev/null || xdotool windowfocus --sync "$OW"
sleep 0.3
xdotool key ctrl+alt+z
sleep 1
dump
[ "$(q "d['bossKey']['hidden']")" = False ] || fail "the old chord still hides the window"
[ "$(map_state)" = IsViewable ] || fail "the old chord took the window away"
xdotool key ctrl+shift+b
wait_for "d['bossKey']['hidden'] and all(t['muted'] for t in d['tabs'])"
xdotool key ctrl+shift+b
wait_for "not d['bossKey']['hidden'] and not d['tabs'][0]['muted'] and d['tabs'][1]['muted']"

kill "$OTHER" 2>/dev/null || true
OTHER=""
quit_program
echo "PASS"
