#!/usr/bin/env bash
# Measures the running program: start-up time until the window is shown, resident memory with the window shown, and
# CPU use with the window hidden at the 250 ms refresh. Run after a build (build/bin/tallywave); offscreen, so no
# display is needed. Prints one line per figure.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/bin/tallywave
[ -x "$exe" ] || { echo "build first: $exe is missing" >&2; exit 1; }
seconds=${1:-60}

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$exe" build/bin/wakeup.wav build/bin/TallywaveHelp.html "$work/"
export QT_QPA_PLATFORM=offscreen HOME="$work" XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config"
printf '[General]\r\nrefreshCombo=0\r\n' > "$work/settings.txt"

# Start-up: from the exec to the first events handled after the window was shown (best of 5).
best=""
for _ in 1 2 3 4 5; do
    start=$(date +%s%3N)
    TALLYWAVE_STARTUP_REPORT=1 "$work/tallywave" 2> "$work/err" &
    pid=$!
    for _ in $(seq 100); do grep -q "window shown" "$work/err" 2>/dev/null && break; sleep 0.05; done
    shown=$(sed -n 's/.*window shown at \([0-9]*\) ms.*/\1/p' "$work/err")
    kill -TERM $pid; wait $pid || true
    ms=$((shown - start))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "start-up until the main window is shown: ${best} ms (target < 300 ms)"

# Resident memory with the main window shown, after it settled.
"$work/tallywave" &
pid=$!
sleep 5
rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
kill -TERM $pid; wait $pid || true
echo "resident memory, main window shown: $((rss / 1024)) MB (${rss} kB; target < 45 MB)"

# CPU with the window hidden at the 250 ms refresh.
"$work/tallywave" -winStartUp &
pid=$!
sleep 3
hz=$(getconf CLK_TCK)
read -r u1 s1 < <(awk '{print $14, $15}' /proc/$pid/stat)
sleep "$seconds"
read -r u2 s2 < <(awk '{print $14, $15}' /proc/$pid/stat)
kill -TERM $pid; wait $pid || true
ticks=$(( (u2 - u1) + (s2 - s1) ))
echo "CPU, window hidden, 250 ms refresh: $(awk -v t=$ticks -v hz=$hz -v s=$seconds 'BEGIN {printf "%.3f", 100 * t / hz / s}') % of one core over ${seconds} s (target < 0.2 %)"
