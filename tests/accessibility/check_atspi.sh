#!/bin/bash
# The real program on the desktop accessibility bus (AT-SPI), as a screen
# reader meets it: a session bus of its own, a virtual display, the program on
# the demo collection, and walk_editor.py reading the editor's fields.
# Usage: check_atspi.sh BIN_DIR. The system Python (with Debian's pyatspi)
# runs the walk. Exits 77 (skipped) without pyatspi, Xvfb or a session bus.
set -uo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || ! command -v xvfb-run >/dev/null \
    || ! command -v dbus-run-session >/dev/null; then
    echo "pyatspi, xvfb-run or dbus-run-session is missing: the check is skipped."
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/demo.rnd" "$work/scopes.rnd"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
cat > "$work/run.sh" <<'INNER'
#!/bin/bash
# On the virtual display: the offscreen platform has no accessibility bridge.
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime"
"$BIN/tessaran" "$WORK/scopes.rnd" >"$WORK/program.log" 2>&1 &
program=$!
timeout 90 /usr/bin/python3 "$HERE/walk_editor.py"
status=$?
kill "$program" 2>/dev/null
if [ "$status" -ne 0 ]; then
    echo "The program said:"
    tail -20 "$WORK/program.log"
fi
exit "$status"
INNER
chmod +x "$work/run.sh"
WORK=$work BIN=$bin HERE=$here timeout 150 dbus-run-session -- xvfb-run -a -s "-screen 0 1366x768x24" "$work/run.sh"
