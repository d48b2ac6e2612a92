#!/usr/bin/env bash
# CPU time the editor spends while nothing happens: starts it under Xvfb, lets it settle,
# then reads its user + system time from /proc over a quiet interval and prints the share
# of one core.
#   bench/idle_cpu.sh [SECONDS] [EDITOR]      (defaults: 10, build/hakoniwa)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
editor=$(realpath "${2:-build/hakoniwa}")

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$seconds" "$editor"
fi

"$editor" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
sleep 3 # start-up and the first paints

# Fields 14 and 15 of /proc/<pid>/stat, counted after the command name, which may hold spaces.
cpu_ticks() {
    local stat
    stat=$(<"/proc/$pid/stat")
    stat=${stat##*) }
    read -r -a fields <<<"$stat"
    echo $((fields[11] + fields[12]))
}

before=$(cpu_ticks)
sleep "$seconds"
after=$(cpu_ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "idle CPU %.2f%% of a core over %d s (%d ticks of 1/%d s)\n", 100 * t / hz / s, s, t, hz }'
