#!/usr/bin/env bash
# Each tab's sound on the real engine: a page playing a tone shows a speaker
# on its tab; a click on the speaker mutes that tab and another gives the
# sound back, as do 查看 → "静音"/"取消静音" and the tab menu's "全部静音".
# The page itself plays on: the mute is the view's, not the page's.
source "$(dirname "$0")/lib.sh"
source "$HERE/play/lib.sh"
start_pages
start_program

click_speaker() { # TAB_INDEX
  read -r X Y <<< "$(q "'%d %d' % (d['tabs'][$1]['speaker']['x'] + 8, d['tabs'][$1]['speaker']['y'] + d['tabs'][$1]['speaker']['h']//2)")"
  click_at "$X" "$Y"
}

type_address "$SITE/sound.htm"
wait_for "d['tabs'][0]['title'] == 'silent'" 30
[ "$(tab 0 speaker)" = None ] || fail "a silent page shows a speaker"
start_tone 0
wait_for "d['tabs'][0]['speaker'] and d['tabs'][0]['speaker']['state'] == 'playing'"
# The caption keeps its ten characters beside the speaker.
[ "$(tab 0 caption)" = "tone runni..." ] || fail "caption $(tab 0 caption)"
read -r SX SY SW SH <<< "$(q "' '.join(str(d['tabs'][0]['speaker'][k]) for k in 'xywh')")"
screenshot "$WORK/playing.ppm"

# The speaker: muted, drawn crossed, the selection and the page unchanged.
click_speaker 0
wait_for "d['tabs'][0]['muted'] and d['tabs'][0]['speaker']['state'] == 'muted'"
redrawn=0
for _ in $(seq 1 20); do
  screenshot "$WORK/muted.ppm"
  python3 -c "import sys; sys.exit(0 if $(changed_share "$WORK/playing.ppm" "$WORK/muted.ppm" "$SX" "$SY" "$SW" "$SH") > 0.02 else 1)" &&
    { redrawn=1; break; }
  sleep 0.2
done
[ "$redrawn" = 1 ] || fail "the speaker was not drawn again when muted"
dump
[ "$(tab 0 title)" = "tone running" ] || fail "the page's tone stopped: $(tab 0 title)"
[ "$(tab 0 playingAudio)" = True ] || fail "a muted page no longer counts as playing"
click_speaker 0
wait_for "not d['tabs'][0]['muted'] and d['tabs'][0]['speaker']['state'] == 'playing'"

# 查看 → 静音, then the same item says 取消静音.
open_bar "查看(V)"
[ "$(q "[i['caption'] for i in d['openMenus'][-1] if i['name'] == 'mnuMute'][0]")" = "静音" ] || fail "mnuMute caption"
choose mnuMute 0
wait_for "d['tabs'][0]['muted']"
open_bar "查看(V)"
[ "$(q "[i['caption'] for i in d['openMenus'][-1] if i['name'] == 'mnuMute'][0]")" = "取消静音" ] || fail "mnuMute caption when muted"
choose mnuMute 0
wait_for "not d['tabs'][0]['muted']"

# tab_menu: the tab menu, by a right click on the active tab's caption.
tab_menu() {
  dump
  read -r TX TY <<< "$(q "'%d %d' % (d['tabs'][1]['speaker']['x'] + 40, d['tabs'][1]['speaker']['y'] + 8)")"
  click_at "$TX" "$TY" 3
  wait_for "len(d['openMenus']) == 1"
  settle_menus
}

# A second tab playing too; the tab menu's 全部静音 mutes both.
xdotool key ctrl+t
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['active']"
type_address "$SITE/sound.htm"
wait_for "d['tabs'][1]['title'] == 'silent'" 30
start_tone 1
wait_for "d['tabs'][1]['speaker'] is not None and d['tabs'][0]['speaker'] is not None"
tab_menu
[ "$(q "[i['caption'] for i in d['openMenus'][0] if i['name'] == 'mnuTabMuteAll'][0]")" = "全部静音" ] || fail "no 全部静音"
choose mnuTabMuteAll 0
wait_for "d['tabs'][0]['muted'] and d['tabs'][1]['muted']"
# The tab menu's 取消静音 is for the active tab only.
tab_menu
[ "$(q "[i['caption'] for i in d['openMenus'][0] if i['name'] == 'mnuTabMute'][0]")" = "取消静音" ] || fail "the tab menu does not offer 取消静音"
choose mnuTabMute 0
wait_for "not d['tabs'][1]['muted'] and d['tabs'][0]['muted']"

# A muted page that stops keeps its crossed speaker until it is unmuted.
read -r CX CY <<< "$(page_centre)"
click_at "$CX" "$CY"
wait_for "d['tabs'][1]['title'] == 'silent' and not d['tabs'][1]['playingAudio']" 20
wait_for "d['tabs'][1]['speaker'] is None"
quit_program
echo "PASS"
