#!/usr/bin/env bash
# Runs a command inside its own X session: Xvfb on a free display, a window manager, and a
# D-Bus session bus with the accessibility bus on it, shared by the window manager and the command.
#   tests/x-session.sh [--wm openbox|xfwm4|mutter|kwin|fluxbox|icewm|none] [--dpi N] COMMAND [ARG...]
# --dpi sets Xft.dpi, as a desktop scaled to N/96 does, before anything else starts.
set -euo pipefail

wm=openbox dpi=
while [ $# -gt 0 ]; do
    case "$1" in
        --wm) wm=$2; shift 2 ;;
        --dpi) dpi=$2; shift 2 ;;
        *) break ;;
    esac
done
# The window manager and the command share one session bus (mutter and kwin need one).
if [ -z "${X_SESSION_BUS:-}" ]; then
    exec dbus-run-session -- env X_SESSION_BUS=1 "$0" --wm "$wm" ${dpi:+--dpi "$dpi"} "$@"
fi

workdir=$(mktemp -d)
cleanup() {
    kill "${wm_pid:-}" 2>/dev/null || true
    kill "${xvfb_pid:-}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

# -displayfd lets Xvfb pick a free display number and tell us when it is ready; -noreset keeps
# the root window's resources (Xft.dpi) while no client is connected.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac -noreset 3>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 300); do
    [ -s "$workdir/display" ] && break
    sleep 0.05
done
[ -s "$workdir/display" ] || { echo "x-session: Xvfb did not start" >&2; cat "$workdir/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$workdir/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE
export XDG_RUNTIME_DIR="$workdir/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
[ -z "$dpi" ] || echo "Xft.dpi: $dpi" | xrdb -merge

# Each window manager starts with its stock settings, from a home of its own.
mkdir "$workdir/home"
case "$wm" in
    openbox) wm_command=(openbox --sm-disable) ;;
    xfwm4) wm_command=(xfwm4 --compositor=off --sm-client-disable) ;;
    mutter) wm_command=(mutter --x11 --replace --sm-disable) ;;
    kwin) wm_command=(kwin_x11 --replace) ;;
    fluxbox) wm_command=(fluxbox) ;;
    icewm) wm_command=(icewm) ;;
    none) wm_command=() ;;
    *) echo "x-session: unknown window manager $wm" >&2; exit 2 ;;
esac
if [ ${#wm_command[@]} -gt 0 ]; then
    HOME="$workdir/home" XDG_CONFIG_HOME="$workdir/home/.config" "${wm_command[@]}" >"$workdir/wm.log" 2>&1 &
    wm_pid=$!
    # The window manager is up once it announces itself on the root window.
    for _ in $(seq 600); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        kill -0 "$wm_pid" 2>/dev/null || break
        sleep 0.05
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' \
        || { echo "x-session: $wm did not start" >&2; cat "$workdir/wm.log" >&2; exit 1; }
fi

# Qt exposes its widgets to the accessibility bus, which D-Bus starts on demand.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 TERVALO_TEST_WM="$wm"
status=0
"$@" || status=$?
exit "$status"
