#!/usr/bin/env bash
# The real-desktop stage: an X session (Xvfb and the openbox window manager) in which a normal user runs the real
# program and the desktop tests drive it with real mouse and key input: the XEmbed notification area (trayer, which
# the tests start and stop), the alarm notification, a copy run by a second user, and the window suites that touch
# the tray and the notifier on the xcb platform. Run as root (CI), it creates two system users for this; run as a
# normal user, it runs everything as that user and the other-user check is skipped. Needs the build of
# scripts/test.sh. TALLYWAVE_DESKTOP=0 skips it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${TALLYWAVE_DESKTOP:-1}" != 1 ]; then
    echo "test-desktop: skipped (TALLYWAVE_DESKTOP=${TALLYWAVE_DESKTOP})"
    exit 0
fi

# As root, the stage gets a process view of its own: copies of the program that other runs on this machine start (the
# end-to-end tests run it as root) must not count as "another user's copy".
if [ "$(id -u)" -eq 0 ] && [ -z "${TALLYWAVE_DESKTOP_PRIVATE:-}" ]; then
    exec env TALLYWAVE_DESKTOP_PRIVATE=1 unshare --pid --fork --mount-proc bash "$0" "$@"
fi

start=$SECONDS
build="${TALLYWAVE_BUILD:-$PWD/build}"
shots="${TALLYWAVE_SCREENSHOT_DIR:-$build/screenshots}"
session=$(mktemp -d /tmp/tallywave-desktop.XXXXXX)
chmod 755 "$session"
pids=()

cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        wait "${pids[i]}" 2>/dev/null || true
    done
    [ -n "${TALLYWAVE_KEEP_SESSION:-}" ] || rm -rf "$session"
}
trap cleanup EXIT

# --- users -----------------------------------------------------------------------------------------------------------
user=$(id -un)
other=""
if [ "$(id -u)" -eq 0 ]; then
    user=tallywave-desk
    other=tallywave-other
    for u in "$user" "$other"; do
        id -u "$u" >/dev/null 2>&1 ||
            useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$u"
    done
fi

# Each user gets its own home and XDG folders in the session folder.
prepare_home() {
    local u=$1 d="$session/$1"
    mkdir -p "$d/home" "$d/config" "$d/data" "$d/cache" "$d/runtime" "$d/tmp"
    chmod 700 "$d/runtime"
    [ "$(id -u)" -ne 0 ] || chown -R "$u:" "$d"
}

# Sets cmd to the command run as the user, in a clean environment of its own on the session's display (setpriv and
# env exec the command, so a background one's $! is the command itself).
as_user() {
    local u=$1 d="$session/$1"
    shift
    local env=(env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$d/home" USER="$u" LOGNAME="$u" DISPLAY="$DISPLAY"
        XDG_CONFIG_HOME="$d/config" XDG_DATA_HOME="$d/data" XDG_CACHE_HOME="$d/cache" XDG_RUNTIME_DIR="$d/runtime"
        TMPDIR="$d/tmp" LANG=C.UTF-8 TALLYWAVE_EXECUTABLE="$session/bin/tallywave"
        TALLYWAVE_SCREENSHOT_DIR="$session/screenshots" "${EXTRA_ENV[@]}")
    if [ "$(id -u)" -eq 0 ]; then
        cmd=(setpriv --reuid="$u" --regid="$u" --init-groups "${env[@]}" "$@")
    else
        cmd=("${env[@]}" "$@")
    fi
}
cmd=()
EXTRA_ENV=()

prepare_home "$user"
[ -z "$other" ] || prepare_home "$other"

# The program and the test programs where the users can read them (the build tree may be root's alone).
mkdir -p "$session/bin" "$session/screenshots"
cp "$build/bin/tallywave" "$build/bin/tallywave-gui" "$build/bin/wakeup.wav" "$session/bin/"
cp "$build/tests/desktop_tests" "$build/tests/app_ui_tests" "$build/tests/alarms_ui_tests" "$build/tests/history_ui_tests" \
    "$session/bin/"
chmod 755 "$session/bin" "$session/bin/"*
chmod 1777 "$session/screenshots"

# --- the X session ---------------------------------------------------------------------------------------------------
# A display number of Xvfb's own choosing; only local clients, on a socket.
exec 3>"$session/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac >"$session/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 300); do
    [ -s "$session/display" ] && break
    sleep 0.1
done
[ -s "$session/display" ] || { echo "test-desktop: Xvfb did not start" >&2; cat "$session/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$session/display")"

as_user "$user" openbox
"${cmd[@]}" >"$session/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 300); do
    wmctrl -m >/dev/null 2>&1 && break
    sleep 0.1
done
wmctrl -m >/dev/null 2>&1 || { echo "test-desktop: the window manager did not start" >&2; exit 1; }

status=0
run_suite() { # name, then the command; a failed suite is reported and the others still run
    local name=$1
    shift
    echo "test-desktop: $name"
    "$@" || { echo "test-desktop: FAILED: $name" >&2; status=1; }
}

# --- the program, used as a person would, as a normal user -----------------------------------------------------------
# With a session bus, as on a real desktop: the XEmbed tests start trayer, the StatusNotifierItem test starts a
# host on the bus (gtk-sni-tray-standalone) that draws the icon and its menu itself.
only_here=()
[ -z "$other" ] || only_here=(--gtest_filter='-OtherUserTest.*') # run below, with the other user's copy
as_user "$user" dbus-run-session -- "$session/bin/desktop_tests" --gtest_color=no "${only_here[@]}"
run_suite "desktop tests as $user" "${cmd[@]}"

if [ -n "$other" ]; then
    # A copy of the second user runs; the first user's copy must be told.
    as_user "$other" "$session/bin/tallywave" -winStartUp
    "${cmd[@]}" >"$session/other.log" 2>&1 &
    other_pid=$!
    pids+=("$other_pid")
    for _ in $(seq 100); do
        pgrep -u "$other" -x tallywave-gui >/dev/null && break # the window program the command became
        sleep 0.1
    done
    EXTRA_ENV=(TALLYWAVE_OTHER_USER_COPY=1)
    as_user "$user" "$session/bin/desktop_tests" --gtest_color=no --gtest_filter='OtherUserTest.*'
    EXTRA_ENV=()
    run_suite "another user's copy runs" "${cmd[@]}"
    kill "$other_pid" 2>/dev/null || true
    wait "$other_pid" 2>/dev/null || true
fi

# --- the window suites of the tray and the notifier on xcb, with a notification area ---------------------------------
as_user "$user" trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
    --transparent false
"${cmd[@]}" >"$session/trayer.log" 2>&1 &
pids+=($!)
EXTRA_ENV=(QT_QPA_PLATFORM=xcb)
as_user "$user" "$session/bin/app_ui_tests" --gtest_color=no \
    --gtest_filter='MainWindowTest.*Tray*:MainWindowTest.*NotificationArea*:MainWindowTest.*Alarm*:MainWindowTest.Exit*:MainWindowTest.HidingAndShowing*:MainWindowTest.EveryMenuItem*'
run_suite "main window and tray suite on xcb" "${cmd[@]}"
# The log viewer under the window manager: real header clicks, its opening size on a real screen.
as_user "$user" "$session/bin/history_ui_tests" --gtest_color=no --gtest_filter='editloggsFormTest.*'
run_suite "log viewer suite on xcb" "${cmd[@]}"
as_user "$user" "$session/bin/alarms_ui_tests" --gtest_color=no --gtest_filter='NotificationTest.*:NotificationCountdownTest.*'
run_suite "notification suite on xcb" "${cmd[@]}"
EXTRA_ENV=()

mkdir -p "$shots"
for picture in tray-menu.png tray-menu-statusnotifier.png alarm-notification.png alarm-disconnect.png another-user.png; do
    [ ! -f "$session/screenshots/$picture" ] || cp "$session/screenshots/$picture" "$shots/"
done

echo "test-desktop: $([ $status -eq 0 ] && echo passed || echo FAILED) in $((SECONDS - start)) s"
exit $status
