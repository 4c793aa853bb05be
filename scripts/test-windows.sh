#!/usr/bin/env bash
# Cross-builds the core and the Windows platform layer with mingw-w64 and runs their tests under Wine, in a fresh
# Wine prefix inside the build folder. Needs no display and no input. TALLYWAVE_WINDOWS=0 skips it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${TALLYWAVE_WINDOWS:-1}" != 1 ]; then
    echo "test-windows: skipped (TALLYWAVE_WINDOWS=${TALLYWAVE_WINDOWS})"
    exit 0
fi

build="${TALLYWAVE_WINDOWS_BUILD:-$PWD/build-win}"
start=$SECONDS

find_tool() {
    local name
    for name in "$@"; do
        if command -v "$name" >/dev/null 2>&1; then
            command -v "$name"
            return 0
        fi
        for dir in /usr/lib/wine /usr/lib64/wine /opt/wine-stable/bin; do
            if [ -x "$dir/$name" ]; then
                echo "$dir/$name"
                return 0
            fi
        done
    done
    echo "test-windows: none of '$*' found (run scripts/install-deps.sh)" >&2
    return 1
}
wine=$(find_tool wine64 wine)
wineserver=$(find_tool wineserver64 wineserver)

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYWAVE_GUI=OFF -DTALLYWAVE_BENCH=OFF >/dev/null
cmake --build "$build"

# A fresh prefix every run: no state from an earlier run, no dialogs (Mono and Gecko are never asked for).
export WINEPREFIX="$build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
export WINESERVER="$wineserver"
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"

# One persistent server for the prefix set-up and every test program, instead of one start-up per program; stopped
# whatever happens.
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
"$wineserver" -p
"$wine" wineboot -i </dev/null >/dev/null 2>&1

echo "test-windows: cross build and Wine prefix ready after $((SECONDS - start)) s; running the tests under Wine"
cd "$build"
ctest --output-on-failure -j2 </dev/null
