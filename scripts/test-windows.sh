#!/usr/bin/env bash
# The whole program for Windows: builds Qt for mingw once (cached outside the work tree), cross-builds tallywave.exe,
# its test suites and the portable zip, then runs under Wine, in a fresh prefix inside the build folder: the core
# suites, the window suites (offscreen), and the end-to-end checks of the real program from the zip (the report,
# exact counting in a network namespace saved at the end of the Windows session, the main window on Xvfb).
# Prints the time of each stage. TALLYWAVE_WINDOWS=0 skips it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${TALLYWAVE_WINDOWS:-1}" != 1 ]; then
    echo "test-windows: skipped (TALLYWAVE_WINDOWS=${TALLYWAVE_WINDOWS})"
    exit 0
fi

build="${TALLYWAVE_WINDOWS_BUILD:-$PWD/build-win}"
linux_build="${TALLYWAVE_LINUX_BUILD:-$PWD/build}"
start=$SECONDS
stage_start=$SECONDS
status=0

stage_done() {
    echo "test-windows: $1 took $((SECONDS - stage_start)) s"
    stage_start=$SECONDS
}

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
# Debian keeps the server off PATH; a `wineserver -k` from PATH would silently stop nothing.
wineserver=$(find_tool wineserver64 wineserver)

# --- Qt for mingw (built once, then reused from the cache)
bash scripts/build-qt-mingw.sh | tee "$build.qt.log"
qt=$(tail -n1 "$build.qt.log")
rm -f "$build.qt.log"
stage_done "Qt for mingw"

# --- cross-build: the program, its suites, the zip
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYWAVE_QT_MINGW="$qt" -DTALLYWAVE_GUI=ON -DTALLYWAVE_BENCH=OFF \
    "${launcher[@]}" >/dev/null
cmake --build "$build"
cmake --build "$build" --target tallywave_zip
zip=$(ls "$build"/tallywave-*-win64.zip)
echo "test-windows: $(basename "$zip"), $(du -h "$zip" | cut -f1):"
cmake -E tar tf "$zip" | grep -v '/$' | sed 's/^/    /'
stage_done "cross-build"

# --- a display for Wine (without one it creates no windows) and a fresh prefix: no state from an earlier run, no
# dialogs (Mono and Gecko are never asked for)
export WINEPREFIX="$build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINESERVER="$wineserver"
unset WAYLAND_DISPLAY
rm -rf "$WINEPREFIX" "$build/display"
mkdir -p "$WINEPREFIX"
Xvfb -displayfd 9 -screen 0 1280x900x24 -nolisten tcp 9>"$build/display" >/dev/null 2>&1 &
xvfb=$!
trap '"$wineserver" -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -s "$build/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$build/display")"
# Test programs find Qt's DLLs and the compiler's runtime DLLs through WINEPATH (Qt's plugins beside its DLLs).
winepath=("$qt/bin")
for dll in libstdc++-6.dll libwinpthread-1.dll; do
    winepath+=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")
done
WINEPATH=$(printf 'Z:%s;' "${winepath[@]}" | tr / '\\')
export WINEPATH

# One persistent server for the prefix set-up and every test program, instead of one start-up per program.
"$wineserver" -p
"$wine" wineboot -i </dev/null >/dev/null 2>&1
stage_done "Wine prefix"

(cd "$build" && ctest --output-on-failure -j2 -LE gui </dev/null) || status=$?
stage_done "core suites under Wine"
(cd "$build" && ctest --output-on-failure -j2 -L gui </dev/null) || status=$?
stage_done "window suites under Wine"

# --- end to end: the zip unpacked as a user would, driven from Linux (network namespaces, X)
if [ ! -f "$linux_build/build.ninja" ]; then
    cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$linux_build" --target windows_e2e_tests
rm -rf "$build/unpacked"
mkdir -p "$build/unpacked"
(cd "$build/unpacked" && cmake -E tar xf "$zip")
program=$(ls -d "$build"/unpacked/tallywave-*-win64)
"$wineserver" -k
# No WINEPATH: the unpacked folder must bring every DLL it needs.
(cd "$linux_build" && env -u WINEPATH TALLYWAVE_WINDOWS_PROGRAM="$program" TALLYWAVE_WINE="$wine" \
    TALLYWAVE_WINESERVER="$wineserver" ctest --output-on-failure -R '^windows_e2e_tests$' </dev/null) || status=$?
stage_done "end-to-end under Wine"

echo "test-windows: done in $((SECONDS - start)) s"
exit $status
