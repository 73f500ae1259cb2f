#!/usr/bin/env bash
# A Wayland session: under a headless Wayland compositor with its XWayland
# server, the program asked for Wayland starts on the X display beside it,
# says so once on stderr and loads a page from 127.0.0.1. Without any X
# display it ends with an error that names what is missing.
source "$(dirname "$0")/lib.sh"
command -v weston >/dev/null && command -v Xwayland >/dev/null ||
  { echo "SKIP: weston or Xwayland is not installed"; exit 77; }

export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
SOCKET=xingfan-wayland-test
weston --backend=headless-backend.so --xwayland --socket=$SOCKET --idle-time=0 \
  >"$WORK/weston.log" 2>&1 &
WESTON_PID=$!
trap 'stop_program; kill "$WESTON_PID" 2>/dev/null; [ -z "$SERVER_PID" ] || kill "$SERVER_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
XDISPLAY=""
for _ in $(seq 1 100); do
  XDISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log" | head -1)
  [ -n "$XDISPLAY" ] && [ -S "$XDG_RUNTIME_DIR/$SOCKET" ] && break
  sleep 0.1
done
[ -n "$XDISPLAY" ] || { cat "$WORK/weston.log"; fail "weston gave no XWayland display"; }

# No X display at all: a clear error, no window.
status=0
error=$(env -u DISPLAY WAYLAND_DISPLAY=$SOCKET GDK_BACKEND=wayland timeout 20 "$BIN/xingfan" 2>&1) ||
  status=$?
[ "$status" != 0 ] || fail "started without an X display"
grep -q "XWayland" <<<"$error" || fail "error without X display: $error"
grep -q "DISPLAY" <<<"$error" || fail "error without X display: $error"

mkdir -p "$WORK/site"
printf '<html><head><meta charset="utf-8"><title>韦斯顿页面</title></head><body>wayland</body></html>' \
  >"$WORK/site/w.htm"
start_server "$WORK/site"

export DISPLAY=$XDISPLAY WAYLAND_DISPLAY=$SOCKET GDK_BACKEND=wayland
"$BIN/xingfan" "http://127.0.0.1:$PORT/w.htm" >>"$WORK/out.log" 2>&1 &
PID=$!
await_window
wait_for "len(d['tabs']) == 2 and d['tabs'][1]['title'] == '韦斯顿页面'" 60
[ "$(q "d['tabs'][1]['url']")" = "http://127.0.0.1:$PORT/w.htm" ] || fail "tab: $(q "d['tabs'][1]")"
notices=$(grep -c "running through XWayland on X display $XDISPLAY" "$WORK/out.log" || true)
[ "$notices" = 1 ] || fail "the fallback was logged $notices times"
# The close question's keys depend on the compositor's focus; ending the
# process is enough here.
stop_program
echo "PASS"
