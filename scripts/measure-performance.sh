#!/usr/bin/env bash
# Measures the running program and prints the table of performance figures with their targets (the README's figures
# come from it). Run after a build; offscreen, so no display is needed. Takes about five minutes.
#
#   bash scripts/measure-performance.sh [--bin DIR] [--seconds N]
#
#   --bin DIR     the folder holding the built program (default build/bin): tallywave and, on Linux, tallywave-gui
#   --seconds N   length of each CPU measurement (default 20)
#
# CPU is what the process itself used, read from /proc: the scheduler's run time of each of its threads
# (/proc/PID/task/*/schedstat, nanoseconds; /proc/PID/stat counts in 10 ms ticks, too coarse for 0.01 %), never
# wall time, so that other work on the machine does not count. Every figure is the median of 3 runs. Without a
# notification area (offscreen) "-winStartUp" leaves the window minimised, which the program treats as hidden.
# The floor rows compile scripts/perf/wakeup-floor.cpp (a C++ compiler is needed; they are left out without one).
# The 500-interface row needs root (a network namespace holding 250 veth pairs); it is skipped otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."

bin=build/bin
seconds=20
while [ $# -gt 0 ]; do
    case "$1" in
    --bin) bin=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
[ -x "$bin/tallywave" ] || { echo "build first: $bin/tallywave is missing" >&2; exit 1; }
bin=$(cd "$bin" && pwd)

work=$(mktemp -d)
netns=""
cleanup() {
    local pids
    pids=$(jobs -p)
    [ -z "$pids" ] || kill $pids 2>/dev/null || true
    [ -z "$netns" ] || ip netns delete "$netns" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8

# A portable copy of the program in its own folder, with its own settings, history and user folders.
copy_program() {
    local dir=$work/$1
    mkdir -p "$dir/home"
    for f in tallywave tallywave-gui wakeup.wav TallywaveHelp.html; do
        [ ! -e "$bin/$f" ] || cp "$bin/$f" "$dir/"
    done
    echo "$dir"
}

# The copy's own home and user folders, for the program started next in this subshell.
user_env() {
    export HOME="$1/home" XDG_RUNTIME_DIR="$1/home" XDG_CONFIG_HOME="$1/home/config" XDG_DATA_HOME="$1/home/data"
}

settings() { printf '[General]\r\nrefreshCombo=%s\r\n' "$2" > "$1/settings.txt"; }

cpu_ns() { # the run time of every thread of the process so far
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'
}

median() { printf '%s\n' "$@" | sort -g | sed -n 2p; }

stop() {
    kill -TERM "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# Share of one core used by the program over $seconds, after it settled; args: copy folder, wrapper..., -- args.
idle_cpu_percent() {
    local dir=$1
    shift
    local wrapper=()
    while [ "$1" != "--" ]; do wrapper+=("$1"); shift; done
    shift
    (user_env "$dir" && exec "${wrapper[@]}" "$dir/tallywave" "$@") > /dev/null 2>&1 &
    local pid=$!
    sleep 3
    local c1 c2
    c1=$(cpu_ns $pid)
    sleep "$seconds"
    c2=$(cpu_ns $pid)
    stop $pid
    awk -v c=$((c2 - c1)) -v s="$seconds" 'BEGIN { printf "%.4f", c / 1e7 / s }'
}

idle_row() { # args: copy folder, wrapper..., -- args; prints the median of 3
    local runs=()
    for _ in 1 2 3; do runs+=("$(idle_cpu_percent "$@")"); done
    median "${runs[@]}"
}

# Start-up until the window is shown: the program reports that moment with its CPU time so far. Prints
# "cpu_ms wall_ms" of one start.
start_once() {
    local dir=$1
    shift
    rm -f "$dir/err"
    local t0
    t0=$(date +%s%3N)
    (user_env "$dir" && export TALLYWAVE_STARTUP_REPORT=1 && exec "$dir/tallywave" "$@") > /dev/null 2> "$dir/err" &
    local pid=$!
    for _ in $(seq 1200); do grep -q "window shown" "$dir/err" 2>/dev/null && break; sleep 0.025; done
    local seen
    seen=$(cpu_ns $pid) # for a program that does not tell its own CPU time (an older build)
    stop $pid
    sed -n 's/.*window shown at \([0-9]*\) ms\(, cpu \([0-9.]*\) ms\)\{0,1\}.*/\1 \3/p' "$dir/err" |
        awk -v t0="$t0" -v seen="$seen" '{ printf "%.1f %d\n", $2 != "" ? $2 : seen / 1e6, $1 - t0 }'
}

start_row() { # median of 3 starts: "cpu_ms wall_ms"
    local cpus=() walls=()
    for _ in 1 2 3; do
        read -r c w < <(start_once "$@")
        cpus+=("$c")
        walls+=("$w")
    done
    echo "$(median "${cpus[@]}") $(median "${walls[@]}")"
}

# CPU per run of a short command, from the shell's count of its children's time; the median of 3 batches.
command_cpu_ms() {
    local dir=$1
    shift
    local n=200 runs=()
    for _ in 1 2 3; do
        runs+=("$(
            user_env "$dir"
            for _ in $(seq $n); do "$dir/tallywave" "$@" > /dev/null; done
            times > "$work/times" # not in a pipeline: that would be a child of its own, without children
            sed -n 2p "$work/times" | awk -v n=$n '{
                split($1, u, /[ms]/); split($2, s, /[ms]/)
                printf "%.2f", (u[1] * 60 + u[2] + s[1] * 60 + s[2]) * 1000 / n }'
        )")
    done
    median "${runs[@]}"
}

rows=()
row() { rows+=("| $1 | $2 | $3 |"); printf '  %s: %s (%s)\n' "$1" "$2" "$3" >&2; }

echo "measuring $bin, ${seconds} s per CPU run; load: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# --- idle cost of the monitor loop ------------------------------------------------------------------------------------
d=$(copy_program hidden250)
settings "$d" 0
row "hidden, 250 ms refresh" "$(idle_row "$d" -- -winStartUp) % of a core" "≤ 0.02 %"
d=$(copy_program shown250)
settings "$d" 0
row "window shown, 250 ms refresh" "$(idle_row "$d" --) % of a core" "≤ 0.08 %"
d=$(copy_program hidden1000)
settings "$d" 2
row "hidden, 1 s refresh" "$(idle_row "$d" -- -winStartUp) % of a core" "≤ 0.01 %"

# The floor under those three: a bare C++ process that only wakes at the same period and reads the counters with one
# statistics dump, as each pass does (the wake-up alone is a large part of it on a virtual machine).
if c++ -O2 -std=c++20 -o "$work/wakeup-floor" scripts/perf/wakeup-floor.cpp 2> /dev/null; then
    floor_row() { # period in ms, then "dump" or nothing; the median of 3
        local runs=()
        for _ in 1 2 3; do runs+=("$("$work/wakeup-floor" "$1" "$seconds" ${2:+"$2"})"); done
        median "${runs[@]}"
    }
    row "floor: a bare process waking every 250 ms, nothing else" "$(floor_row 250) % of a core" "—"
    row "floor: a bare process waking every 250 ms for one statistics dump" "$(floor_row 250 dump) % of a core" "—"
    row "floor: a bare process waking every second for one statistics dump" "$(floor_row 1000 dump) % of a core" "—"
fi

# --- start-up ---------------------------------------------------------------------------------------------------------
d=$(copy_program startup)
settings "$d" 2
read -r cpu wall < <(start_row "$d")
row "start-up to window, empty history" "${cpu} ms CPU (${wall} ms)" "< 300 ms"

sessions=${TALLYWAVE_MEASURE_SESSIONS:-5000000} # fewer for a quick try of the script
d=$(copy_program large)
settings "$d" 2
# Sessions spread over past years (the order of lines does not matter to the totals), then one of today.
awk -v n=$sessions -v today="$(date +%F)" 'BEGIN {
    printf "\047%s 00:00:00\r\n\047Source file for Tallywave\r\n\047Do not change this file unless absolutely sure.\r\n", today
    for (i = 0; i < n; i++) {
        y = 1980 + int(i / 130000); m = 1 + int(i / 10000) % 12; d = 1 + int(i / 300) % 28
        h = int(i / 12) % 24; mi = (i * 5) % 60
        printf "%04d-%02d-%02d %02d:%02d;%04d-%02d-%02d %02d:%02d;%d;%d;%d;%d;\r\n", y, m, d, h, mi, y, m, d, h, mi,
            (i * 7919) % 900000000 + 1000, (i * 104729) % 90000000, (i * 31) % 2000000, (i * 17) % 200000
    }
    printf "%s 00:01;%s 00:02;4096;512;100;10;\r\n", today, today
}' > "$d/datasource.txt"
size_mb=$(( $(stat -c %s "$d/datasource.txt") / 1000000 ))
read -r cpu wall < <(start_once "$d")
row "first start-up on a ${sessions}-session history (${size_mb} MB), no totals cache yet" \
    "${cpu} ms CPU (${wall} ms)" "once"
read -r cpu wall < <(start_row "$d")
row "start-up to window, ${sessions}-session history (${size_mb} MB)" "${cpu} ms CPU (${wall} ms)" "≤ 60 ms"
large=$d

# --- console commands -------------------------------------------------------------------------------------------------
d=$(copy_program console)
libraries=$(LD_TRACE_LOADED_OBJECTS=1 "$d/tallywave" --version | grep -c '=>\|ld-linux' || true)
row "\`--version\`" "$(command_cpu_ms "$d" --version) ms CPU (${libraries} shared libraries)" "≤ 3 ms"
row "\`--report\`, empty history" "$(command_cpu_ms "$d" --report) ms CPU" "≤ 3 ms"
row "\`--report --json\`, ${sessions}-session history" "$(command_cpu_ms "$large" --report --json) ms CPU" \
    "as on an empty one"

# --- settings with 10,000 alarms --------------------------------------------------------------------------------------
d=$(copy_program alarms)
awk 'BEGIN {
    printf "[General]\r\nrefreshCombo=2\r\n[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=10000\r\n"
    for (i = 1; i <= 10000; i++) printf "Row%da=Download\r\nRow%db=per day\r\nRow%dc=%d\r\n", i, i, i, 1e12 + i
}' > "$d/settings.txt"
read -r cpu wall < <(start_row "$d")
read -r plain _ < <(start_row "$(copy_program noalarms)")
row "start-up to window, settings with 10,000 alarm rows" \
    "${cpu} ms CPU (${wall} ms; $(awk -v a="$cpu" -v b="$plain" 'BEGIN { printf "%.1f", a - b }') ms over none)" \
    "≤ 50 ms over none"

# --- memory -----------------------------------------------------------------------------------------------------------
d=$(copy_program memory)
(user_env "$d" && exec "$d/tallywave") > /dev/null 2>&1 &
pid=$!
sleep 5
rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
stop $pid
row "resident memory, window shown" "$((rss / 1024)) MB" "< 45 MB"

# --- 500 interfaces ---------------------------------------------------------------------------------------------------
if [ "$(id -u)" -eq 0 ] && command -v ip > /dev/null && ip netns add tw-perf-$$ 2> /dev/null; then
    netns=tw-perf-$$
    for i in $(seq 250); do
        ip -n "$netns" link add "va$i" type veth peer name "vb$i"
    done
    links=$(ip -n "$netns" -o link show | wc -l)
    d=$(copy_program links)
    settings "$d" 0
    row "${links} interfaces (250 veth pairs and lo in a namespace), hidden, 250 ms" \
        "$(idle_row "$d" ip netns exec "$netns" -- -winStartUp) % of a core" "≤ 1 %"
else
    row "500 interfaces, hidden, 250 ms" "skipped: needs root and ip netns" "≤ 1 %"
fi

echo
echo "| what | measured | target |"
echo "|---|---|---|"
printf '%s\n' "${rows[@]}"
