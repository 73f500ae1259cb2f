#!/usr/bin/env bash
# The boss key on the real engine, pressed while another program has the
# keyboard: Ctrl+Alt+Z takes the main window off the screen and silences
# every tab (the page plays on, unheard); pressed again, with NumLock on this
# time, it gives back the window where it was, the tab that was active and
# the tone's sound, while the tab the player had muted stays muted.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
OTHER=""
trap 'stop_program; stop_pages; [ -z "$OTHER" ] || kill "$OTHER" 2>/dev/null; rm -rf "$WORK"' EXIT
start_pages
start_program

tab() { q "d['tabs'][$1]['$2']"; }
start_tone() { # TAB_INDEX
  read -r CX CY <<< "$(page_centre)"
  click_at "$CX" "$CY"
  wait_for "d['tabs'][$1]['title'] == 'tone running' and d['tabs'][$1]['playingAudio']" 20
}
map_state() { xwininfo -id "$WIN" | sed -n 's/^ *Map State: //p'; }
corner() { xwininfo -id "$WIN" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'; }

dump
[ "$(q "d['bossKey']['chord']")" = "Ctrl+Alt+Z" ] || fail "chord $(q "d['bossKey']")"
[ "$(q "d['bossKey']['grabbed']")" = True ] || fail "the chord was not taken from the desktop: $(q "d['bossKey']")"

# Tab 1 plays a tone; tab 2 plays too but the player muted it; tab 1 is active.
type_address "$SITE/sound.htm"
wait_for "d['tabs'][0]['title'] == 'silent'" 30
start_tone 0
xdotool key ctrl+t
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['active']"
type_address "$SITE/sound.htm"
wait_for "d['tabs'][1]['title'] == 'silent'" 30
start_tone 1
open_bar "查看(V)"
choose mnuMute 0
wait_for "d['tabs'][1]['muted'] and not d['tabs'][0]['muted']"
xdotool key ctrl+shift+Tab
wait_for "d['tabs'][0]['active']"
[ "$(map_state)" = IsViewable ] || fail "the window is not on the screen: $(map_state)"
BEFORE=$(corner)

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

# NumLock counts as a modifier on X: the chord works with it on as well.
xdotool key Num_Lock
sleep 0.2
xdotool windowfocus --sync "$OW" 2>/dev/null || true
xdotool key ctrl+alt+z
xdotool key Num_Lock
wait_for "not d['bossKey']['hidden'] and not d['tabs'][0]['muted'] and d['tabs'][1]['muted']"
wait_for "d['tabs'][0]['active'] and d['tabs'][0]['speaker']['state'] == 'playing'"
for _ in $(seq 1 20); do [ "$(map_state)" = IsViewable ] && break; sleep 0.1; done
[ "$(map_state)" = IsViewable ] || fail "the window did not come back: $(map_state)"
AFTER=$(corner)
[ "$AFTER" = "$BEFORE" ] || fail "the window came back at $AFTER, not at $BEFORE"
[ "$(tab 1 muted)" = True ] || fail "the player's own mute was lifted"
[ "$(tab 0 title)" = "tone running" ] || fail "the tone stopped: $(tab 0 title)"
kill "$OTHER" 2>/dev/null || true
OTHER=""
quit_program
echo "PASS"
