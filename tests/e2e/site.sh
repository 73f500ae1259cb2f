# Shared by the e2e scripts that need pages from a web server (sourced after
# lib.sh): a folder of the script's own served on 127.0.0.1 by
# scripts/update-server.py, whose /slow/, /stall and /redirect/ addresses
# misbehave on purpose.
SITE_DIR=$WORK/site
SITE=""
SITE_PID=""
mkdir -p "$SITE_DIR"
trap 'stop_program; [ -z "$SITE_PID" ] || kill "$SITE_PID" 2>/dev/null; rm -rf "$WORK"' EXIT

# start_site: serves $SITE_DIR; $SITE is its address, without a trailing /.
start_site() {
  python3 "$HERE/../../scripts/update-server.py" --root "$SITE_DIR" --port 0 \
    --port-file "$WORK/site.port" >"$WORK/site.log" 2>&1 &
  SITE_PID=$!
  for _ in $(seq 1 100); do [ -s "$WORK/site.port" ] && break; sleep 0.1; done
  [ -s "$WORK/site.port" ] || fail "the local web server did not start"
  SITE="http://127.0.0.1:$(cat "$WORK/site.port")"
}

# portal_copy: a program folder of the script's own (program_copy) whose
# portal is the local site, so that its pages count as the portal's own.
portal_copy() {
  program_copy xingfan.ini
  printf '[Update]\nBaseURL=%s\n[Network]\nTestURL=%s/\n[Portal]\nHomePage=%s/\nContact=service@xingfan.example\n' \
    "$SITE" "$SITE" "$SITE" > "$WORK/bin/xingfan.ini"
}

# web_processes: the pids of the program's web processes, however deep
# below it (a sandbox puts bubblewrap in between).
web_processes() {
  python3 - "$PID" <<'PY'
import os, sys
root = int(sys.argv[1])
children = {}
for entry in os.listdir("/proc"):
    if not entry.isdigit():
        continue
    try:
        with open("/proc/%s/stat" % entry) as f:
            stat = f.read()
        ppid = int(stat[stat.rindex(")") + 2:].split()[1])
        with open("/proc/%s/comm" % entry) as f:
            name = f.read().strip()
    except (OSError, ValueError):
        continue
    children.setdefault(ppid, []).append((int(entry), name))
todo = [root]
while todo:
    for pid, name in children.get(todo.pop(), []):
        todo.append(pid)
        if name.startswith("WebKitWebProces"):
            print(pid)
PY
}
