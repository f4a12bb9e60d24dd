#!/usr/bin/env bash
# Runs a command inside its own X session: Xvfb on a free display, the openbox window
# manager, and a D-Bus session bus with the accessibility bus on it.
#   tests/x-session.sh COMMAND [ARG...]
set -euo pipefail

workdir=$(mktemp -d)
cleanup() {
    kill "${wm_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

# -displayfd lets Xvfb pick a free display number and tell us when it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 300); do
    [ -s "$workdir/display" ] && break
    sleep 0.05
done
[ -s "$workdir/display" ] || { echo "x-session: Xvfb did not start" >&2; cat "$workdir/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$workdir/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

openbox --sm-disable >"$workdir/openbox.log" 2>&1 &
wm_pid=$!
# The window manager is up once it announces itself on the root window.
for _ in $(seq 400); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' \
    || { echo "x-session: openbox did not start" >&2; cat "$workdir/openbox.log" >&2; exit 1; }

export XDG_RUNTIME_DIR="$workdir/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Qt exposes its widgets to the accessibility bus, which D-Bus starts on demand.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
status=0
dbus-run-session -- "$@" || status=$?
exit "$status"
