# A private Wayland compositor for the tests that run the real binary under
# Wayland: weston with its headless back-end. Sourced after x11lib.sh, whose
# helpers (clean-up on exit, session bus, settings) it shares.
#   start_weston   starts weston and exports WAYLAND_DISPLAY and QT_QPA_PLATFORM

start_weston() {
    local socket="lintra-$$" i
    # Weston and the accessibility bus want a private runtime folder.
    export XDG_RUNTIME_DIR="$X11_TMP/runtime"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --no-config \
        >"$X11_TMP/weston.log" 2>&1 &
    X11_PIDS+=($!)
    for i in $(seq 1 100); do
        [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
        sleep 0.1
    done
    [ -S "$XDG_RUNTIME_DIR/$socket" ] || { echo "weston did not start:" >&2; cat "$X11_TMP/weston.log" >&2; return 1; }
    unset DISPLAY
    export WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
