#!/usr/bin/env bash
# Builds Qt (qtbase) for 64-bit Windows with mingw-w64 from Debian's own source package, the same version as the host
# Qt, whose moc/rcc/uic it uses. Debian's qt6-svg source tarball is not within reach of this project's machines, so
# there is no SVG module: the Windows build carries its images pre-rendered. Installs once into a cache folder outside the work tree and reuses it while
# its stamp (version and options) matches. Prints the install prefix as its last line.
#
#   TALLYWAVE_QT_MINGW   install prefix (default ${XDG_CACHE_HOME:-$HOME/.cache}/tallywave/qt-6.4.2-mingw)
#   TALLYWAVE_QT_JOBS    parallel compile jobs (default: the number of cores)
#   TALLYWAVE_QT_NICE    niceness of the build (default 10: the machine stays usable meanwhile)
set -euo pipefail

qt_version=6.4.2
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/tallywave"
prefix="${TALLYWAVE_QT_MINGW:-$cache_root/qt-$qt_version-mingw}"
jobs="${TALLYWAVE_QT_JOBS:-$(nproc)}"
niceness="${TALLYWAVE_QT_NICE:-10}"

# Everything the project needs from Qt on Windows; what is left out is off so the build stays short. Tablet events
# need wintab.h, which Debian's source tarball strips. OpenGL stays on: the 6.4 Windows platform plugin does not build
# without it.
qtbase_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_opengl=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_textmarkdownreader=OFF
    -DFEATURE_openssl=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_zstd=OFF
)
stamp_text="qt $qt_version mingw-w64-posix ${qtbase_options[*]}"
stamp="$prefix/tallywave-qt.stamp"
wanted_files=(
    bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Network.dll bin/Qt6Test.dll
    plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll plugins/styles/qwindowsvistastyle.dll
    lib/cmake/Qt6/Qt6Config.cmake
)

intact() {
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ] || return 1
    local f
    for f in "${wanted_files[@]}"; do
        [ -f "$prefix/$f" ] || return 1
    done
}

mkdir -p "$cache_root"
# Two runs at once (two worktrees, CI beside a session) would build into the same folder: the second one waits.
exec 9>"$cache_root/qt-$qt_version-mingw.lock"
flock 9

if intact; then
    echo "build-qt-mingw: Qt $qt_version for mingw present"
    echo "$prefix"
    exit 0
fi

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
case "$host_version" in
    "$qt_version"*) ;;
    *)
        echo "build-qt-mingw: the host Qt is '${host_version:-missing}', not $qt_version (run scripts/install-deps.sh)" >&2
        exit 1
        ;;
esac

start=$SECONDS
work="$prefix.work"
rm -rf "$prefix" "$work"
mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src" \
    "$prefix"

# Source entries that mirror the system's Debian entries, in apt's own folders here: the system's apt is untouched.
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed -e 's/^Types:.*/Types: deb-src/' "$f" >"$work/apt/sources.list.d/$(basename "$f")"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -n -e 's/^deb \(.*\)/deb-src \1/p' "$f" >"$work/apt/sources.list.d/$(basename "$f")"
done
apt_opts=(
    -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/apt/sources.list.d"
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache" -o APT::Sandbox::User=root
)
echo "build-qt-mingw: fetching the qt6-base source"
apt-get "${apt_opts[@]}" update -qq
(cd "$work/src" && apt-get "${apt_opts[@]}" source -qq --only-source "qt6-base=$host_version" >/dev/null)
qtbase_src=$(find "$work/src" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
[ -n "$qtbase_src" ] || {
    echo "build-qt-mingw: the source package did not unpack" >&2
    exit 1
}

# A toolchain of Qt's own, kept in the prefix: Qt's installed toolchain file refers back to it.
cat >"$prefix/mingw-w64-toolchain.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

build_module() {
    local name=$1 src=$2
    shift 2
    local t0=$SECONDS
    echo "build-qt-mingw: building $name (nice $niceness, $jobs jobs)"
    nice -n "$niceness" cmake -S "$src" -B "$work/build-$name" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" "$@" \
        >"$work/configure-$name.log" 2>&1 || {
        tail -n 40 "$work/configure-$name.log" >&2
        return 1
    }
    nice -n "$niceness" cmake --build "$work/build-$name" --parallel "$jobs" >"$work/build-$name.log" 2>&1 || {
        grep -m 20 -B 2 -A 10 'error' "$work/build-$name.log" >&2 || tail -n 40 "$work/build-$name.log" >&2
        return 1
    }
    cmake --install "$work/build-$name" >/dev/null
    echo "build-qt-mingw: $name built in $((SECONDS - t0)) s"
}

build_module qtbase "$qtbase_src" -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${qtbase_options[@]}"

echo "$stamp_text" >"$stamp"
rm -rf "$work"
echo "build-qt-mingw: Qt $qt_version for mingw built in $((SECONDS - start)) s, $(du -sh "$prefix" | cut -f1) in $prefix"
echo "$prefix"
