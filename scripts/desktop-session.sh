#!/usr/bin/env bash
# Runs a command inside a desktop session like a player's: a private X
# server, a window manager (openbox), a D-Bus session bus and a Chinese
# locale (zh_CN.UTF-8) with GTK's default input method for that locale;
# everything started here is stopped afterwards. The tests run in it.
#
#   desktop-session.sh [--size WxH] [--no-wm] [--lang LOCALE] [--im MODULE] -- COMMAND...
#
# --no-wm leaves the window manager out (the bare X server some tests keep
# covering); --im sets GTK_IM_MODULE, which is otherwise unset so that GTK
# picks the locale's own. A locale the system lacks is compiled into a
# private folder (LOCPATH), so no root is needed. Exit status: the command's.
set -euo pipefail

size=1920x1080 wm=1 lang=zh_CN.UTF-8 im=""
while [ $# -gt 0 ]; do
  case "$1" in
    --size) size=$2; shift 2 ;;
    --no-wm) wm=0; shift ;;
    --lang) lang=$2; shift 2 ;;
    --im) im=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || {
  echo "usage: $0 [--size WxH] [--no-wm] [--lang LOCALE] [--im MODULE] -- COMMAND..." >&2
  exit 2
}
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/desktop-session.XXXXXX")
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

case "$lang" in
  C | C.* | POSIX) ;;
  *)
    base=${lang%%.*}
    if ! locale -a 2>/dev/null | grep -qix "$base\.utf-\?8"; then
      mkdir -p "$work/locale"
      localedef -i "$base" -f UTF-8 "$work/locale/$lang" >/dev/null 2>&1 ||
        { echo "desktop-session: cannot compile locale $lang" >&2; exit 3; }
      export LOCPATH="$work/locale"
    fi
    ;;
esac

# The X server picks a free display itself (-displayfd): sessions started at
# the same moment by parallel test runs never race for one. No key repeat:
# on a loaded machine a scripted key held a moment too long would otherwise
# arrive twice.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
  -ardelay 60000 -arinterval 60000 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "desktop-session: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 3; }
export DISPLAY=":$(head -1 "$work/display")"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

export XDG_RUNTIME_DIR="$work/run"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
export GDK_BACKEND=x11
export WEBKIT_DISABLE_COMPOSITING_MODE=1
export GSETTINGS_BACKEND=memory
export NO_AT_BRIDGE=1
export LSAN_OPTIONS="suppressions=$scripts/lsan.supp:print_suppressions=0"
unset GTK_IM_MODULE XMODIFIERS
[ -n "$im" ] && export GTK_IM_MODULE="$im"

if [ "$wm" = 1 ]; then
  # A window manager of its own per session: its own configuration folder,
  # so a user's settings never change what the tests see.
  XDG_CONFIG_HOME="$work/wm-config" openbox --sm-disable >"$work/wm.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 150); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { echo "desktop-session: the window manager did not start" >&2; cat "$work/wm.log" >&2; exit 3; }
  export XF_SESSION_WM=openbox
else
  unset XF_SESSION_WM
fi

rc=0
LANG="$lang" LC_ALL="$lang" dbus-run-session -- "$@" || rc=$?
exit $rc
