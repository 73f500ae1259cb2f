#!/usr/bin/env bash
# The web processes run in a sandbox where the system allows one, and pages
# load either way. Without bubblewrap the program says so once on stderr and
# goes on; with it, no web process sees the user's home folder.
source "$(dirname "$0")/lib.sh"
source "$HERE/site.sh"

printf '<!DOCTYPE html><html><head><meta charset="utf-8"><title>沙箱里的页</title></head><body>ok</body></html>\n' \
  > "$SITE_DIR/page.htm"
start_site
echo "a file of the user's own" > "$HOME/secret.txt"
NOTICE="网页进程不在沙箱中运行"

# sees_home PID: whether that process sees the home folder's file.
sees_home() { [ -e "/proc/$1/root$HOME/secret.txt" ]; }

load_page() {
  type_address "$SITE/page.htm"
  wait_for "d['tabs'][0]['title'] == '沙箱里的页'"
}

# Without bubblewrap on the PATH: no sandbox, one notice, pages load.
mkdir "$WORK/nobwrap"
printf '#!/bin/sh\nPATH=/nonexistent exec "%s/xingfan" "$@"\n' "$(cd "$BIN" && pwd)" > "$WORK/nobwrap/xingfan"
chmod +x "$WORK/nobwrap/xingfan"
start_program "$WORK/nobwrap"
load_page
[ "$(grep -c "$NOTICE" "$WORK/out.log")" = "1" ] || fail "the notice was not given once: $(grep "$NOTICE" "$WORK/out.log")"
grep "$NOTICE" "$WORK/out.log"
pids=$(web_processes)
[ -n "$pids" ] || fail "no web process found"
for p in $pids; do sees_home "$p" || fail "without a sandbox web process $p should see the home folder"; done
quit_program
: > "$WORK/out.log"

# With the sandbox, where this system can start one.
if ! bwrap --unshare-user-try --unshare-pid --unshare-net --unshare-uts --unshare-ipc \
     --die-with-parent --ro-bind / / true 2>/dev/null; then
  echo "SKIP: bubblewrap cannot make a sandbox on this system; only the fallback was tested"
  exit 77
fi
start_program
load_page
grep -q "$NOTICE" "$WORK/out.log" && fail "the sandbox was not used: $(grep "$NOTICE" "$WORK/out.log")"
pids=$(web_processes)
[ -n "$pids" ] || fail "no web process found"
for p in $pids; do
  [ -d "/proc/$p/root/usr" ] || fail "cannot look into web process $p"
  sees_home "$p" && fail "web process $p sees the home folder"
done
echo "sandboxed web processes: $(echo $pids | wc -w), none sees $HOME"
quit_program
echo "PASS"
