#!/usr/bin/env bash
# Minimise, restore and maximise with the skinned title bar's buttons. With
# a window manager the minimised window stays in the task list (iconic) and
# comes back from it, and a maximised window is known to the manager as
# such; without one, minimising leaves the window where it is (nothing
# could bring it back). Either way the window is exactly the form's size,
# and maximising after the window was resized lays the whole client out at
# the new size.
source "$(dirname "$0")/lib.sh"
start_program
MANAGED=0
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && MANAGED=1

# "X Y W H" of the window as the X server has it.
x_geometry() {
  xwininfo -id "$WIN" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
      /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
form_geometry() { q "'%d %d %d %d' % (d['player']['x'], d['player']['y'], d['player']['w'], d['player']['h'])"; }
# The window and the form agree (the window manager may report a moment late).
same_size() {
  for _ in $(seq 1 40); do
    dump
    [ "$(x_geometry)" = "$(form_geometry)" ] && return 0
    sleep 0.25
  done
  fail "window $(x_geometry) but form $(form_geometry)"
}
click_button() {
  dump
  read -r X Y <<< "$(q "'%d %d' % (d['titleButtons']['$1']['x'] + 10, d['titleButtons']['$1']['y'] + 10)")"
  click_at "$X" "$Y"
}
wm_state() { xprop -id "$WIN" WM_STATE | awk '/window state/{print $3}'; }
net_state() { xprop -id "$WIN" _NET_WM_STATE; }
# The whole client follows the window: the tab area and the close button
# reach its right edge.
laid_out() {
  wait_for "d['controls']['PclParent']['x'] + d['controls']['PclParent']['w'] >= d['player']['x'] + d['player']['w'] - 8 and d['titleButtons']['close']['x'] + d['titleButtons']['close']['w'] >= d['player']['x'] + d['player']['w'] - 30"
}

# Designed maximised: the work area less its bottom row.
wait_for "d['player']['maximized'] and d['player']['w'] == d['player']['screenW'] and d['player']['h'] == d['player']['screenH'] - 1"
same_size
laid_out
if [ $MANAGED = 1 ]; then
  net_state | grep -q _NET_WM_STATE_MAXIMIZED_VERT || fail "the window manager does not know it maximised: $(net_state)"
fi

# Minimise.
click_button min
if [ $MANAGED = 1 ]; then
  wait_for "d['player']['minimized']"
  for _ in $(seq 1 20); do [ "$(wm_state)" = Iconic ] && break; sleep 0.2; done
  [ "$(wm_state)" = Iconic ] || fail "WM_STATE is $(wm_state), not Iconic"
  xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$WIN")" || fail "not in the task list"
  # The task list gives it back.
  xdotool windowactivate "$WIN"
  wait_for "not d['player']['minimized'] and d['player']['maximized'] and d['player']['active']"
  [ "$(wm_state)" = Normal ] || fail "WM_STATE is $(wm_state) after restoring"
else
  sleep 1
  wait_for "not d['player']['minimized'] and d['player']['maximized']"
fi
xwininfo -id "$WIN" | grep -q IsViewable || fail "the window is not shown"
same_size
laid_out
screenshot "$WORK/back.ppm"

# Restore, resize (as the window manager or the user would), maximise.
click_button max
wait_for "not d['player']['maximized']"
[ $MANAGED = 0 ] || ! net_state | grep -q MAXIMIZED || fail "still maximised for the window manager"
xdotool windowsize "$WIN" 900 600
wait_for "d['player']['w'] == 900 and d['player']['h'] == 600"
same_size
laid_out
click_button max
wait_for "d['player']['maximized'] and d['player']['w'] == d['player']['screenW'] and d['player']['h'] == d['player']['screenH'] - 1"
same_size
laid_out
[ $MANAGED = 0 ] || net_state | grep -q _NET_WM_STATE_MAXIMIZED_HORZ || fail "not maximised for the window manager: $(net_state)"
# The bottom row of the window is the form's own frame, not blank.
import -window root "$WORK/max.png"
read -r W H <<< "$(q "'%d %d' % (d['player']['w'], d['player']['h'])")"
convert "$WORK/max.png" -crop "1x1+$((W / 2))+$((H - 1))" -depth 8 txt:- | grep -qi '#FFFFFF' &&
  fail "the window's bottom row is blank"
quit_program
echo "PASS"
