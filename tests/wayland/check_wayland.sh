#!/bin/bash
# The real program on a Wayland desktop: weston's headless backend at
# 1366x768 with its panel, the program on the demo collection, and
# probe_windows.py checking that every command can be reached and that the
# collection list keeps clear of the record; and that scripts/run finds the
# display. Usage: check_wayland.sh BIN_DIR
# [SCREENSHOT_DIR]. Exits 77 (skipped) without weston, pyatspi or a session bus.
set -uo pipefail
bin=$1
shots=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v weston >/dev/null || ! command -v dbus-run-session >/dev/null \
    || ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "weston, dbus-run-session or pyatspi is missing: the check is skipped."
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/demo.rnd" "$work/scopes.rnd"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
cat > "$work/run.sh" <<'INNER'
#!/bin/bash
# Wayland only: no X display to fall back on.
unset DISPLAY
export XDG_RUNTIME_DIR="$WORK/runtime" WAYLAND_DISPLAY=tessaran-check
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"
weston --backend=headless-backend.so --use-pixman --width=1366 --height=768 --socket="$WAYLAND_DISPLAY" \
    --debug --idle-time=0 >"$WORK/weston.log" 2>&1 &
weston=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
# scripts/run starts the program on what answers, and says so when nothing does.
source "$HERE/../../scripts/common.sh"
if [ "$(usable_platforms)" != wayland ] || [ -n "$(WAYLAND_DISPLAY=nowhere usable_platforms)" ]; then
    echo "FAIL: the display check finds '$(usable_platforms)' on weston," \
        "'$(WAYLAND_DISPLAY=nowhere usable_platforms)' on a socket that is not there"
    kill "$weston"
    exit 1
fi
QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
    "$BIN/tessaran" "$WORK/scopes.rnd" >"$WORK/program.log" 2>&1 &
program=$!
timeout 120 /usr/bin/python3 "$HERE/probe_windows.py" $SHOTS
status=$?
kill "$program" 2>/dev/null
kill "$weston" 2>/dev/null
if [ "$status" -ne 0 ]; then
    echo "The program said:"
    tail -20 "$WORK/program.log"
    echo "weston said:"
    tail -20 "$WORK/weston.log"
fi
exit "$status"
INNER
chmod +x "$work/run.sh"
WORK=$work BIN=$bin HERE=$here SHOTS=$shots timeout 170 dbus-run-session -- "$work/run.sh"
