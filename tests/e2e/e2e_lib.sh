# Shared by the e2e scripts (sourced): starts the demo on the runner's
# display, asks it for state dumps, takes screenshots and checks pixels.
# Every wait is bounded; a failed check prints what was seen and where the
# last screenshot is, then ends the script with status 1.
set -euo pipefail

BIN=${1:?usage: $0 BIN_DIR}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
TOOL="python3 $HERE/e2e_tool.py"
WORK=$(mktemp -d /tmp/xf-e2e.XXXXXX)
export XF_STATE_DUMP=$WORK/state.json
export GDK_BACKEND=x11
export NO_AT_BRIDGE=1
DEMO=""
SHOT=$WORK/shot.ppm
TITLE="星帆 demo"

fail() {
    echo "FAIL: $*" >&2
    [ -f "$XF_STATE_DUMP" ] && cat "$XF_STATE_DUMP" >&2
    [ -f "$SHOT" ] && echo "last screenshot: $SHOT" >&2
    [ -f "$WORK/demo.log" ] && tail -20 "$WORK/demo.log" >&2
    exit 1
}

stop_demo() {
    if [ -n "$DEMO" ] && kill -0 "$DEMO" 2>/dev/null; then
        kill -TERM "$DEMO" 2>/dev/null || true
        for _ in $(seq 1 50); do kill -0 "$DEMO" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$DEMO" 2>/dev/null || true
    fi
    DEMO=""
}
trap stop_demo EXIT

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under scripts/desktop-session.sh"
[ -x "$BIN/xf_demo" ] || fail "no $BIN/xf_demo"

start_demo() {
    "$BIN/xf_demo" >"$WORK/demo.log" 2>&1 &
    DEMO=$!
    WID=$(timeout 20 xdotool search --sync --onlyvisible --name "^$TITLE\$" | head -1) ||
        fail "the demo window did not appear"
    wait_state 'seq >= 1'
}

seq_now() { [ -f "$XF_STATE_DUMP" ] && $TOOL state "$XF_STATE_DUMP" seq || echo 0; }

# Asks for a fresh dump and waits until it is written.
dump() {
    local before
    before=$(seq_now)
    kill -USR1 "$DEMO" 2>/dev/null || fail "the demo is gone"
    for _ in $(seq 1 100); do
        [ "$(seq_now)" -gt "$before" ] && return 0
        sleep 0.05
    done
    fail "no state dump after a request"
}

# wait_state EXPR: dumps until EXPR (Python, names are the dump's keys) holds.
wait_state() {
    local expr=$1
    for _ in $(seq 1 50); do
        dump
        $TOOL check "$XF_STATE_DUMP" "$expr" && return 0
        sleep 0.1
    done
    fail "state never reached: $expr"
}

state() { $TOOL state "$XF_STATE_DUMP" "$1"; }

shot() { import -window root -depth 8 "ppm:$SHOT" || fail "no screenshot"; }

pixel() { $TOOL pixel "$SHOT" "$1" "$2"; }

# wait_pixel X Y RRGGBB: screenshots until the screen shows that colour there.
wait_pixel() {
    local seen=""
    for _ in $(seq 1 30); do
        shot
        seen=$(pixel "$1" "$2")
        [ "$seen" = "$3" ] && return 0
        sleep 0.1
    done
    fail "pixel ($1,$2) is $seen, expected $3"
}

# expect_pixels X Y RRGGBB [X Y RRGGBB ...] against the last screenshot.
expect_pixels() {
    while [ $# -ge 3 ]; do
        local seen
        seen=$(pixel "$1" "$2")
        [ "$seen" = "$3" ] || fail "pixel ($1,$2) is $seen, expected $3"
        shift 3
    done
}

not_pixel() {
    local seen
    seen=$(pixel "$1" "$2")
    [ "$seen" != "$3" ] || fail "pixel ($1,$2) should not be $3"
}

# The window's position and size as the X server has them: "X Y W H".
geometry() {
    xwininfo -id "$WID" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

finish() {
    stop_demo
    echo "PASS: $(basename "$0")"
    rm -rf "$WORK"
}
