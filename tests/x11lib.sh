# Private X displays for the tests that run the real binary. Sourced.
#   start_display [tray]   starts Xvfb (and the trayer tray host) and exports DISPLAY
# Everything started here is stopped on exit, also on failure.

X11_PIDS=()
X11_TMP=$(mktemp -d /tmp/lintra-x11-XXXXXX)

stop_display() {
    local pid
    for pid in "${X11_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${X11_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    X11_PIDS=()
}
trap 'stop_display; rm -rf "$X11_TMP"' EXIT

start_display() {
    local fifo="$X11_TMP/displayfd"
    rm -f "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" 2>"$X11_TMP/xvfb.log" &
    X11_PIDS+=($!)
    local i
    for i in $(seq 1 100); do
        [ -s "$fifo" ] && break
        sleep 0.1
    done
    [ -s "$fifo" ] || { echo "Xvfb did not start" >&2; cat "$X11_TMP/xvfb.log" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$fifo")"
    if [ "${1:-}" = tray ]; then
        trayer --edge bottom --align right --widthtype pixel --width 200 --heighttype pixel --height 24 \
            >"$X11_TMP/trayer.log" 2>&1 &
        X11_PIDS+=($!)
        for i in $(seq 1 100); do
            xwininfo -root -tree 2>/dev/null | grep -qi 'panel\|trayer' && break
            sleep 0.1
        done
    fi
}

# A fresh settings folder for the program under test.
fresh_config() {
    export XDG_CONFIG_HOME="$X11_TMP/config-$RANDOM"
    mkdir -p "$XDG_CONFIG_HOME"
}

# wait_for_window NAME [SECONDS]: prints the id of the first visible window whose title matches.
wait_for_window() {
    local name=$1 seconds=${2:-20} id i
    for i in $(seq 1 $((seconds * 10))); do
        id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# wait_for_exit PID [SECONDS]: waits for the process; prints its exit status.
wait_for_exit() {
    local pid=$1 seconds=${2:-20} i
    for i in $(seq 1 $((seconds * 10))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid" 2>/dev/null
        echo "timeout"
        return 1
    fi
    local status=0
    wait "$pid" || status=$?
    echo "$status"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# press_key WINDOW KEY: focuses the window (there is no window manager) and types the key.
press_key() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.2
    xdotool key "$2"
}

# Under the address sanitizer the real binary's leak report would only list
# Xlib and plug-in allocations whose libraries are unloaded by then (frames of
# "<unknown module>"); the in-process tests keep leak detection.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
