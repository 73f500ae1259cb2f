#!/usr/bin/env bash
# Every kind of pop-up window of the real program is painted on the screen,
# not only opened in the program's state: a menu of the menu bar, the
# system menu, the tab strip's menu and the address box's drop-down list.
# The input method the locale brings (X input method under zh_CN.UTF-8)
# once kept them all from being painted.
source "$(dirname "$0")/lib.sh"

start_program
# The second address typed goes into the address box's list.
type_address "file://$HERE/app/menus.htm?first"
wait_for "d['tabs'][0]['url'].endswith('menus.htm?first')"
type_address "file://$HERE/app/menus.htm?second"
wait_for "len(d['tabs']) == 2 and len(d['addressItems']) == 1"
sleep 0.5
screenshot "$WORK/before.ppm"

echo "-- A menu of the menu bar"
# A menu of the menu bar, by mouse.
open_bar '文件(F)'
expect_painted "$WORK/before.ppm" $(open_menu_rect)
xdotool key Escape Escape
wait_for "len(d['openMenus']) == 0"

echo "-- The system menu"
# The system menu, from the icon at the title bar's left end (a window
# manager keeps Alt+Space for its own window menu). The title bar finds
# the button under the pointer when it paints.
xdotool mousemove 14 14
sleep 0.5
xdotool click 1
wait_for "len(d['openMenus']) == 1"
expect_painted "$WORK/before.ppm" $(open_menu_rect)
xdotool key Escape Escape
wait_for "len(d['openMenus']) == 0"

echo "-- The tab strip"
# The tab strip's menu, by a right click on the tab.
read -r X Y <<< "$(q "'%d %d' % (d['controls']['PclParent']['x'] + 120, d['controls']['PclParent']['y'] + 8)")"
click_at "$X" "$Y" 3
wait_for "len(d['openMenus']) == 1"
expect_painted "$WORK/before.ppm" $(open_menu_rect)
xdotool key Escape Escape
wait_for "len(d['openMenus']) == 0"

echo "-- The address box"
# The address box's list of typed addresses, from its button.
read -r X Y W H <<< "$(q "' '.join(str(d['controls']['cmbAddr'][k]) for k in ('x', 'y', 'w', 'h'))")"
click_at $(( X + W - 8 )) $(( Y + H / 2 ))
expect_painted "$WORK/before.ppm" $(( X + 2 )) $(( Y + H + 1 )) $(( W - 4 )) 12
xdotool key Escape Escape
quit_program
echo "PASS"
