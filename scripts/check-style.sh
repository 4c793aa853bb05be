#!/usr/bin/env bash
# One style over the tracked C++ files:
#   1. no subsystem includes a header of a subsystem above it (the order of src/CMakeLists.txt);
#   2. braces around every if/else/for/while body (clang-tidy readability-braces-around-statements);
#   3. the layout of the tree's .clang-format.
# With --fix, 2 and 3 are applied to the working tree instead (braces first, then the layout): the same tree always
# gives the same result, and a second run changes nothing. Include faults are only reported.
# clang-tidy reads the compile commands of a configured build: $TALLYWAVE_BUILD (build/) for the host and, for the
# files only Windows compiles, $TALLYWAVE_WINDOWS_BUILD (build-win/, mingw-w64); both are configured here if needed
# (a configure, not a build). Tool versions are pinned so that every machine agrees: $CLANG_FORMAT, $CLANG_TIDY.
# Usage: scripts/check-style.sh [--fix] [TREE]; TREE is the work tree to check or fix (default: this script's), so
# that one copy of the rules can bring another branch's tree to them.
set -euo pipefail

fix=0
if [ "${1:-}" = --fix ]; then
    fix=1
    shift
fi
if [ $# -gt 1 ] || [[ ${1:-} == -* ]]; then
    echo "usage: scripts/check-style.sh [--fix] [TREE]" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
cd "${1:-$here/..}"
root=$(git rev-parse --show-toplevel)
cd "$root"

clang_format=${CLANG_FORMAT:-clang-format-14}
clang_tidy=${CLANG_TIDY:-clang-tidy-14}
apply_replacements=${CLANG_APPLY_REPLACEMENTS:-clang-apply-replacements-14}
build=${TALLYWAVE_BUILD:-$root/build}
win_build=${TALLYWAVE_WINDOWS_BUILD:-$root/build-win}
jobs=$(nproc)
start=$SECONDS
status=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mapfile -t files < <(git ls-files -- '*.cpp' '*.h' | sort)

# --- 1. includes point down the subsystem order ----------------------------------------------------------------------
# What each core folder may include; its ui/ folder may include the same, itself, widgets/ui and platform/qt, and
# app/ui anything. Keep in step with the DEPS of src/CMakeLists.txt.
declare -A may_include=(
    [common]="common"
    [platform]="common platform"
    [config]="common platform config"
    [history]="common platform config history"
    [measure]="common platform config measure"
    [alarms]="common platform config history alarms"
    [tools]="common platform tools"
    [widgets]="common widgets"
    [app]="common platform config history measure alarms tools widgets app"
)
layer_faults=$(
    for f in "${files[@]}"; do
        [[ $f == src/*/* ]] || continue
        folder=${f#src/}
        folder=${folder%%/*}
        [ -n "${may_include[$folder]:-}" ] || continue
        ui=0
        [[ $f == src/$folder/ui/* || $f == src/platform/qt/* ]] && ui=1
        [[ $f == src/app/ui/* ]] && continue
        while IFS= read -r included; do
            allowed=0
            if [[ $included == */ui/* || $included == platform/qt/* ]]; then
                [ $ui = 1 ] && [[ $included == "$folder/ui/"* || $included == widgets/ui/* || $included == platform/qt/* ]] &&
                    allowed=1
            else
                for a in ${may_include[$folder]} $([ $ui = 1 ] && echo widgets); do
                    [ "${included%%/*}" = "$a" ] && allowed=1
                done
            fi
            [ $allowed = 1 ] || echo "$f: includes $included"
        done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z]+\/[^"]+)".*/\1/p' "$f")
    done
)
if [ -n "$layer_faults" ]; then
    echo "check-style: headers of a subsystem above:"
    echo "$layer_faults"
    status=1
fi

# --- 2. braces ---------------------------------------------------------------------------------------------------------
# The translation units to run clang-tidy on: each tracked .cpp file once, from the host build where it is compiled,
# else from the Windows cross build. Headers are checked through them.
if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" >/dev/null
else
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
python3 - "$build/compile_commands.json" "$root" >"$work/host.txt" <<'EOF'
import json, sys
print("\n".join(sorted({e["file"] for e in json.load(open(sys.argv[1])) if e["file"].startswith(sys.argv[2] + "/")})))
EOF
printf '%s\n' "${files[@]}" | grep '\.cpp$' | sed "s|^|$root/|" | sort >"$work/tracked.txt"
# Only the units a quick scan finds a possible fault in (in the unit or a header it includes) are parsed.
python3 "$here/style/brace_candidates.py" "$root" "$work/tracked.txt" "${files[@]}" >"$work/candidates.txt"
comm -12 "$work/tracked.txt" "$work/host.txt" | comm -12 - "$work/candidates.txt" >"$work/host-units.txt"
comm -23 "$work/tracked.txt" "$work/host.txt" | comm -12 - "$work/candidates.txt" >"$work/other-units.txt"

header_filter="^$root/(src|tests|bench)/"
tidy_args=(--quiet "--checks=-*,readability-braces-around-statements" "--header-filter=$header_filter")
# Runs clang-tidy over the units listed in $1 with the compile commands of build $2 (and extra arguments).
run_tidy() {
    local list=$1 db=$2
    shift 2
    [ -s "$list" ] || return 0
    if [ $fix = 1 ]; then
        # Every unit exports its fixes; the replacements are applied once, together, so that a header seen by many
        # units is edited once.
        xargs -a "$list" -P "$jobs" -I{} sh -c \
            'out=$1/fixes/$(echo "$2" | md5sum | cut -c1-16).yaml; shift 2; "$@" --export-fixes="$out" >/dev/null 2>&1 || true' \
            sh "$work" {} "$clang_tidy" -p "$db" "${tidy_args[@]}" "$@" {}
    else
        xargs -a "$list" -P "$jobs" -n 4 "$clang_tidy" -p "$db" "${tidy_args[@]}" "--warnings-as-errors=*" "$@" \
            >>"$work/tidy.log" 2>&1 || echo failed >"$work/tidy.failed"
    fi
}
mkdir -p "$work/fixes"
run_tidy "$work/host-units.txt" "$build"
if [ -s "$work/other-units.txt" ]; then
    cxx=x86_64-w64-mingw32-g++-posix
    if command -v "$cxx" >/dev/null; then
        cmake -S . -B "$win_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYWAVE_GUI=OFF -DTALLYWAVE_BENCH=OFF >/dev/null
        # clang finds no mingw-w64 headers by itself: the cross compiler names its search path (but for GCC's own
        # intrinsics, which clang brings itself).
        win_args=(--extra-arg-before=--target=x86_64-w64-mingw32)
        while IFS= read -r dir; do
            win_args+=("--extra-arg=-isystem$dir")
        done < <("$cxx" -x c++ -E -v /dev/null 2>&1 | sed -n '/#include <...> search starts here:/,/End of search list./p' |
            sed -n 's/^ //p' | grep -vE '/lib/gcc/[^/]+/[^/]+/include(-fixed)?$')
        run_tidy "$work/other-units.txt" "$win_build" "${win_args[@]}"
    else
        echo "check-style: no mingw-w64 here; braces not checked in: $(sed "s|$root/||" "$work/other-units.txt" | tr '\n' ' ')"
    fi
fi
if [ $fix = 1 ]; then
    "$apply_replacements" "$work/fixes"
elif [ -e "$work/tidy.failed" ]; then
    echo "check-style: statements without braces:"
    grep -E '(warning|error):' "$work/tidy.log" | sed "s|^$root/||" | sort -u | head -200
    status=1
fi

# --- 3. layout ---------------------------------------------------------------------------------------------------------
if [ $fix = 1 ]; then
    printf '%s\n' "${files[@]}" | xargs -P "$jobs" -n 16 "$clang_format" -i --style=file
else
    if ! printf '%s\n' "${files[@]}" | xargs -P "$jobs" -n 16 "$clang_format" --dry-run --Werror --style=file \
        >"$work/format.log" 2>&1; then
        echo "check-style: not formatted (scripts/check-style.sh --fix formats them):"
        grep -oE '^[^:]+\.(cpp|h):' "$work/format.log" | sort -u | sed 's/:$//'
        status=1
    fi
fi

echo "check-style: $([ $fix = 1 ] && echo "applied" || ([ $status = 0 ] && echo passed || echo FAILED)) in $((SECONDS - start)) s"
exit $status
