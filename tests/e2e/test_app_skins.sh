#!/usr/bin/env bash
# The skin menu of the real program: 深邃海洋 chosen with the mouse loads its
# file from the program folder, moves the check mark and comes back at the
# next start; XP经典 goes back to the built-in style for good.
source "$(dirname "$0")/lib.sh"

start_program
[ "$(q "d['checked']['mnuXP'] and d['skin']['uiStyle'] == 'WinXP'")" = "True" ] || fail "start: $(q "d['skin']")"
open_bar '工具(T)'
choose N23 2
[ "$(q "[i['caption'] for i in d['openMenus'][1]]")" = "['XP经典(&X)', '银装素裹(&M)', '绿色心情(&P)', '蓝色浪漫(&R)', '简约风尚(&O)', '金色年华(&D)', '绿色盎然(&B)', '深邃海洋(&S)']" ] ||
  fail "skin items: $(q "d['openMenus'][1]")"
choose mnuMdd_winter 0
wait_for "d['skin']['themeFile'].endswith('/Skins/mdd_winter.skn') and d['skin']['canUse'] and d['skin']['uiStyle'] == 'FromThemeFile'"
[ "$(q "[n for n, c in d['checked'].items() if c and n.startswith('mnu') and n in ('mnuXP', 'mnuMsn', 'mnuXpgreen', 'mnuRoyale', 'mnuMacOS', 'mnuMd_asgold', 'mnuMdb_summer', 'mnuMdd_winter')]")" = "['mnuMdd_winter']" ] ||
  fail "check marks: $(q "d['checked']")"
[ "$(q "d['registry']['sky'] + ' ' + d['registry']['mnuame']")" = "mdd_winter.skn mnuMdd_winter" ] || fail "registry: $(q "d['registry']")"
quit_program

start_program
[ "$(q "d['skin']['themeFile'].endswith('/Skins/mdd_winter.skn') and d['skin']['canUse'] and d['checked']['mnuMdd_winter'] and not d['checked']['mnuXP']")" = "True" ] ||
  fail "after the restart: $(q "d['skin']")"
open_bar '工具(T)'
choose N23 2
choose mnuXP 0
wait_for "d['skin']['uiStyle'] == 'WinXP' and d['checked']['mnuXP'] and not d['checked']['mnuMdd_winter']"
quit_program

start_program
[ "$(q "d['skin']['uiStyle'] == 'WinXP' and d['checked']['mnuXP'] and d['registry']['sky'] == ''")" = "True" ] ||
  fail "after the second restart: $(q "d['skin']")"
quit_program
echo "PASS"
