#!/usr/bin/env bash
# Runs a command with a private Xvfb display (and a session bus when one is
# at hand), and stops them afterwards. Used by the tests.
set -euo pipefail
if [ -z "${XF_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then break; fi
  done
  # No key repeat: on a loaded machine a scripted key held a moment too long
  # would otherwise arrive twice.
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -ardelay 60000 -arinterval 60000 >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do
    [ -e /tmp/.X11-unix/X$n ] && break
    sleep 0.05
  done
fi
# A runtime folder of the run's own: the accessibility bus that the first
# program starts keeps its socket there, and every later program (and its
# sandboxed web processes, which bind that folder) finds it still in place.
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/xf-runtime.XXXXXX")
  export XDG_RUNTIME_DIR
  trap 'kill ${XVFB_PID:-} 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
export GDK_BACKEND=x11
export WEBKIT_DISABLE_COMPOSITING_MODE=1
export GSETTINGS_BACKEND=memory
export NO_AT_BRIDGE=1
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp:print_suppressions=0"
"$@"
