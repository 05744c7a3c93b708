#!/usr/bin/env bash
# Starts the stand-in instrument as COM1 in a private port folder, then the program against it;
# stops the instrument when the program, and any instance it restarted, has ended.
set -euo pipefail
build=${1:-build}
model=${2:-HRA8}
shift $(( $# < 2 ? $# : 2 ))

sim="$build/sim/pulsegen-sim"
app="$build/app/VNHLxx_HRxx_GUI"
for f in "$sim" "$app"; do
    [ -x "$f" ] || { echo "missing $f: run 'make build' first" >&2; exit 1; }
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: run from a desktop session (or set DISPLAY, e.g. under Xvfb)." >&2
    exit 1
fi

ports=$(mktemp -d)
"$sim" --model "$model" --link "$ports/com1" &
sim_pid=$!
cleanup() {
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    rm -rf "$ports"
}
trap cleanup EXIT INT TERM

for _ in $(seq 1 100); do
    [ -e "$ports/com1" ] && break
    sleep 0.05
done
[ -e "$ports/com1" ] || { echo "the stand-in instrument did not start" >&2; exit 1; }

# File > Restart App (and Yes to a lost instrument) starts a new instance, which inherits the
# port folder; the instrument stays up until the last instance using the folder has ended.
instance_running() {
    grep -qsxzF "VNH_COMPORTS=$ports" /proc/[0-9]*/environ 2>/dev/null
}
status=0
VNH_COMPORTS="$ports" "$app" "$@" || status=$?
while instance_running; do
    sleep 0.5
done
exit "$status"
