#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYWAVE_WERROR=ON >/dev/null
cmake --build build
status=0
# One style (layout, braces, includes down the subsystem order); scripts/check-style.sh --fix applies it.
bash scripts/check-style.sh || status=$?
(cd build && ctest --output-on-failure -j2) || status=$?
# The real desktop (X session, window manager, tray, real input) as a normal user.
bash scripts/test-desktop.sh || status=$?
# The core and end-to-end suites under AddressSanitizer and UndefinedBehaviorSanitizer.
bash scripts/test-sanitizers.sh || status=$?
# The same core and the Windows platform layer, cross-built and run under Wine; both results count.
bash scripts/test-windows.sh || status=$?
exit $status
