#!/usr/bin/env bash
# Renders every picture of the documentation into docs/screenshots: the windows offscreen, then the tray menus, the
# alarm notification and the other-user message in the real-desktop session of scripts/test-desktop.sh (which needs
# Xvfb and, to show another user's copy, root; TALLYWAVE_DESKTOP=0 leaves those four as they are).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TALLYWAVE_BUILD:-$PWD/build}"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target screenshots tallywave desktop_tests app_ui_tests alarms_ui_tests
export TALLYWAVE_SCREENSHOT_DIR="$PWD/docs/screenshots"
QT_QPA_PLATFORM=offscreen "$build/tests/screenshots" --gtest_color=no
TALLYWAVE_BUILD="$build" bash scripts/test-desktop.sh
