#!/usr/bin/env bash
# The core and end-to-end suites built with AddressSanitizer and UndefinedBehaviorSanitizer in their own build
# folder; the first finding (leaks included) stops the test program and fails the stage. The windows' own suites are
# left out (the end-to-end suite runs the whole program). TALLYWAVE_SANITIZERS=0 skips it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${TALLYWAVE_SANITIZERS:-1}" != 1 ]; then
    echo "test-sanitizers: skipped (TALLYWAVE_SANITIZERS=${TALLYWAVE_SANITIZERS})"
    exit 0
fi

build="${TALLYWAVE_SANITIZER_BUILD:-$PWD/build-asan}"
start=$SECONDS
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" -DTALLYWAVE_WERROR=ON \
    -DTALLYWAVE_BENCH=OFF -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
suites=(common_tests platform_tests platform_contract_tests config_tests history_tests measure_tests alarms_tests
    app_tests tools_tests widgets_tests e2e_tests)
# tallywave_icons: the end-to-end suite installs the program.
cmake --build "$build" --target "${suites[@]}" tallywave tallywave_icons

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
pattern="^($(IFS='|'; echo "${suites[*]}"))\$"
status=0
(cd "$build" && ctest --output-on-failure -j2 -R "$pattern") || status=$?
echo "test-sanitizers: $((SECONDS - start)) s"
exit $status
