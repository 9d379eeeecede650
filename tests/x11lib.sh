# Private X displays for the tests that run the real binary. Sourced.
# X11_SCREEN (default 1280x1024x24) sets the screen of the displays started.
#   start_display [tray]   starts Xvfb (and the trayer tray host) and exports DISPLAY
#   start_tray             starts the trayer tray host on the display started before
# Everything started here is stopped on exit, also on failure.

# The main window's title, as a pattern for wait_for_window.
MAIN_TITLE="Lintra - Norvane \[Unicode Plain-Text File Full-Text Search Tool\] Freeware"

X11_PIDS=()
X11_HELPER="$(dirname "${BASH_SOURCE[0]}")/x11helper.py"
X11_TMP=$(mktemp -d /tmp/lintra-x11-XXXXXX)
# The program's single-instance lock and socket live in the runtime folder:
# a private one per test, so that tests run side by side, and the user's own
# Lintra, never meet.
export XDG_RUNTIME_DIR="$X11_TMP/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

stop_display() {
    local pid
    # The program may wait where only SIGKILL reaches it (opening a FIFO).
    [ -z "${lintra_pid:-}" ] || kill -KILL "$lintra_pid" 2>/dev/null || true
    for pid in "${X11_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${X11_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    X11_PIDS=()
}
trap 'stop_display; rm -rf "$X11_TMP"' EXIT

# start_xvfb: starts Xvfb on a free display and exports DISPLAY once it answers.
# Servers that look for a free display at the same moment can pick the same
# one, so the tests start theirs one at a time. -noreset: the server would
# otherwise reset, refusing connections for a moment, when the check here
# disconnects as its last client.
start_xvfb() {
    local fifo="$X11_TMP/displayfd" lock i
    exec {lock}>/tmp/lintra-x11-start.lock
    flock "$lock"
    rm -f "$fifo"
    Xvfb -displayfd 3 -screen 0 "${X11_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$fifo" 2>"$X11_TMP/xvfb.log" {lock}>&- &
    X11_PIDS+=($!)
    for i in $(seq 1 100); do
        [ -s "$fifo" ] && break
        sleep 0.1
    done
    if [ -s "$fifo" ]; then
        export DISPLAY=":$(head -n1 "$fifo")"
        for i in $(seq 1 100); do
            xwininfo -root >/dev/null 2>&1 && break
            sleep 0.1
        done
    fi
    flock -u "$lock"
    exec {lock}>&-
    [ -s "$fifo" ] && xwininfo -root >/dev/null 2>&1
}

start_display() {
    local attempt i
    for attempt in 1 2 3; do
        start_xvfb && break
        echo "Xvfb did not start (attempt $attempt):" >&2
        cat "$X11_TMP/xvfb.log" >&2
        stop_display
        [ "$attempt" = 3 ] && return 1
    done
    if [ "${1:-}" = tray ]; then
        start_tray
    fi
}

# start_tray: starts the trayer tray host on the display and waits until it owns the tray.
start_tray() {
    local i
    trayer --edge bottom --align right --widthtype pixel --width 200 --heighttype pixel --height 24 \
        >"$X11_TMP/trayer.log" 2>&1 &
    X11_PIDS+=($!)
    for i in $(seq 1 100); do
        python3 "$X11_HELPER" tray-ready && break
        sleep 0.1
    done
    python3 "$X11_HELPER" tray-ready || { echo "trayer did not start" >&2; return 1; }
}

# start_session_bus [SERVICE_DIR]: a private D-Bus session bus, exported as
# DBUS_SESSION_BUS_ADDRESS, that starts on demand only the services described
# in SERVICE_DIR (none without it), so the real desktop's never answer.
start_session_bus() {
    local services=${1:-$X11_TMP/no-services} conf="$X11_TMP/session-bus-$RANDOM.conf" address i
    address="$conf.address"
    mkdir -p "$services"
    cat >"$conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$X11_TMP</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
    dbus-daemon --config-file="$conf" --nofork --print-address=3 3>"$address" 2>>"$X11_TMP/dbus.log" &
    X11_PIDS+=($!)
    for i in $(seq 1 100); do
        [ -s "$address" ] && break
        sleep 0.1
    done
    [ -s "$address" ] || { cat "$X11_TMP/dbus.log" >&2; return 1; }
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$address")
    # In-process tests (tests/testsupport.cpp) keep this bus rather than none.
    export LINTRA_PRIVATE_SESSION_BUS=1
}

# start_accessibility_bus: the AT-SPI bus of the private session bus, through
# which screen readers (and atspihelper.py) read the program, which is told to
# expose itself there.
start_accessibility_bus() {
    local i
    # The bus's socket goes there, not into the user's folders.
    export XDG_RUNTIME_DIR="$X11_TMP/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 2>>"$X11_TMP/atspi.log" &
    X11_PIDS+=($!)
    for i in $(seq 1 100); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
            >/dev/null 2>&1 && break
        sleep 0.1
    done
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# atspi ARGS...: tests/atspihelper.py, with the system's python3, which has
# the AT-SPI modules.
ATSPI_HELPER="$(dirname "${BASH_SOURCE[0]}")/atspihelper.py"
atspi() {
    /usr/bin/python3 "$ATSPI_HELPER" "$@"
}

# The window driven and read through its accessibility interface, where
# xdotool cannot type or click (Wayland) or cannot read (the results table).
# Needs the accessibility bus (start_accessibility_bus, or weston's).
WINDOW_DRIVER=(/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/waylanddriver.py")

# wait_for_shown_text PID LINE: waits until the program shows LINE ("role:
# name") and prints everything it shows then (also when it never comes).
wait_for_shown_text() {
    local pid=$1 line=$2 texts="" i
    for i in $(seq 1 100); do
        texts=$("${WINDOW_DRIVER[@]}" "$pid" texts)
        grep -qxF "$line" <<<"$texts" && { echo "$texts"; return 0; }
        sleep 0.1
    done
    echo "$texts"
    return 1
}

# start_readable_display: a 1280 x 900 display whose programs are read over
# AT-SPI, a fresh settings folder, and no desktop named (Qt's own dialogs).
start_readable_display() {
    X11_SCREEN=1280x900x24 start_display
    start_session_bus
    start_accessibility_bus
    fresh_config
    unset XDG_CURRENT_DESKTOP DESKTOP_SESSION
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

# start_lintra [COMMAND...]: starts the program $lintra (under COMMAND, such
# as env NAME=VALUE), sets lintra_pid and waits for the main window. Its
# errors go to $X11_TMP/lintra.log.
start_lintra() {
    "$@" "$lintra" 2>>"$X11_TMP/lintra.log" &
    lintra_pid=$!
    X11_PIDS+=($lintra_pid)
    wait_for_window "$MAIN_TITLE" >/dev/null || fail "main window not shown"
}

# wait_for_exit PID [SECONDS]: waits for the process and sets EXIT_STATUS to its
# exit status; kills it and fails after the time. Call it directly, not in $(...):
# only this shell, the process's parent, can learn its status.
wait_for_exit() {
    local pid=$1 seconds=${2:-20} i
    EXIT_STATUS=
    for i in $(seq 1 $((seconds * 10))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null || true
        EXIT_STATUS=timeout
        return 1
    fi
    EXIT_STATUS=0
    wait "$pid" || EXIT_STATUS=$?
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

# close_window WINDOW: asks the window to close as a window manager's close
# button does (WM_DELETE_WINDOW). There is no window manager on the display.
close_window() {
    python3 "$X11_HELPER" close "$1"
}

# is_viewable WINDOW: whether the window exists and is mapped.
is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# wait_until_hidden WINDOW [SECONDS]: waits until the window is unmapped or gone.
wait_until_hidden() {
    local seconds=${2:-20} i
    for i in $(seq 1 $((seconds * 10))); do
        is_viewable "$1" || return 0
        sleep 0.1
    done
    return 1
}

# tray_icon: prints the id of the program's icon embedded in the tray host, if any.
tray_icon() {
    xwininfo -root -tree 2>/dev/null | awk '
        /"panel": \("panel" "trayer"\)/ { inpanel = 1; next }
        inpanel && /^     0x/ { inpanel = 0 }
        inpanel && /\("lintra" "Lintra"\)/ { print $1; exit }'
}

# wait_for_tray_icon [SECONDS]: prints the id of the program's tray icon once it is shown.
wait_for_tray_icon() {
    local seconds=${1:-20} id i
    for i in $(seq 1 $((seconds * 10))); do
        id=$(tray_icon)
        [ -n "$id" ] && is_viewable "$id" && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# wait_for_no_tray_icon [SECONDS]: waits until the program's tray icon is gone.
wait_for_no_tray_icon() {
    local seconds=${1:-20} id i
    for i in $(seq 1 $((seconds * 10))); do
        id=$(tray_icon)
        { [ -z "$id" ] || ! is_viewable "$id"; } && return 0
        sleep 0.1
    done
    return 1
}

# has_icon_property WINDOW: whether the window carries an icon for the
# desktop's title bars and task lists (_NET_WM_ICON), within 5 seconds.
has_icon_property() {
    local i property
    for i in $(seq 1 50); do
        # Read whole first: grep -q would stop xprop early, and pipefail would count that.
        property=$(xprop -id "$1" _NET_WM_ICON 2>/dev/null | head -n1 || true)
        [[ "$property" == "_NET_WM_ICON(CARDINAL) = "* ]] && return 0
        sleep 0.1
    done
    return 1
}

# colours_shown WINDOW: prints how many different colours the window shows
# on screen (1 for a blank window).
colours_shown() {
    import -window "$1" "$X11_TMP/shown.png" 2>/dev/null && convert "$X11_TMP/shown.png" -format '%k' info:
}

# wait_for_picture WINDOW [SECONDS]: waits until the window shows at least 8
# colours (a picture, not a plain square), giving it time to be painted;
# prints the number of colours last seen.
wait_for_picture() {
    local seconds=${2:-10} colours=0 i
    for i in $(seq 1 $((seconds * 5))); do
        colours=$(colours_shown "$1" || echo 0)
        [ "$colours" -ge 8 ] && break
        sleep 0.2
    done
    echo "$colours"
    [ "$colours" -ge 8 ]
}

# directory_box_text WINDOW: prints the text of the main window's directory
# box, which has the focus when the window is activated, read back through
# the clipboard (select all, copy).
directory_box_text() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.2
    xdotool key --delay 50 ctrl+a ctrl+c
    sleep 0.2
    xclip -o -selection clipboard 2>/dev/null
}

# click WINDOW BUTTON: clicks inside the window (1 left, 2 middle, 3 right).
click() {
    # No --sync: it waits for motion, and there is none when the pointer is already there.
    xdotool mousemove --window "$1" 5 5 click "$2"
}

# press_exit_button WINDOW: presses the main window's Exit button from the
# keyboard; it is the ninth tab stop after the directory field, which has
# the focus when the window is activated.
press_exit_button() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.2
    xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab Tab Tab space
}

# wait_for_popup EXCLUDED_ID... : prints the id of a shown window of the
# program other than the given ones (a menu or a message box).
wait_for_popup() {
    local id candidate excluded i
    for i in $(seq 1 200); do
        for candidate in $(xdotool search --onlyvisible --classname '^lintra$' 2>/dev/null); do
            id=$(printf '0x%x' "$candidate")
            for excluded in "$@"; do
                [ $((id)) -eq $((excluded)) ] && continue 2
            done
            echo "$id"
            return 0
        done
        sleep 0.1
    done
    return 1
}

# setting FILE KEY: prints the value stored under the key in a settings file.
setting() {
    sed -n "s/^$2=//p" "$1"
}

# No session bus unless a test starts its own: a desktop's D-Bus tray on the
# machine running the tests would otherwise decide what the program does.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$X11_TMP/no-session-bus"

# The automatic update check goes through a proxy: a closed port of this
# machine, where it fails at once and silently, unless a test gives one of
# its own (start_update_server).
export http_proxy="http://127.0.0.1:1" no_proxy=""

# Under the address sanitizer the real binary's leak report would only list
# Xlib and plug-in allocations whose libraries are unloaded by then (frames of
# "<unknown module>"); the in-process tests keep leak detection.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# start_update_server MODE NAME: starts tests/updateserver.py (MODE answer,
# hold, drip or spill) and sets UPDATE_PROXY to the address to give the program as
# http_proxy; the requests it receives are listed in $X11_TMP/NAME.log. Call
# it directly, not in $(...), so that the server is stopped on exit.
start_update_server() {
    local mode=$1 name=$2 i
    python3 "$(dirname "${BASH_SOURCE[0]}")/updateserver.py" "$X11_TMP/$name.port" "$X11_TMP/$name.log" "$mode" &
    X11_PIDS+=($!)
    for i in $(seq 1 100); do
        [ -s "$X11_TMP/$name.port" ] && break
        sleep 0.1
    done
    [ -s "$X11_TMP/$name.port" ] || { echo "update server did not start" >&2; return 1; }
    UPDATE_PROXY="http://127.0.0.1:$(cat "$X11_TMP/$name.port")"
}

# requests NAME: the number of requests the update server NAME has received.
requests() {
    wc -l <"$X11_TMP/$1.log"
}

# The D-Bus tray helper needs Debian's python3-gi, which only Debian's own
# interpreter sees (not one installed beside it, such as pyenv's).
SNI_WATCHER=(/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sniwatcher.py")

# start_sni_watcher: starts the D-Bus tray (watcher and host) on the session
# bus; its log, $X11_TMP/sni.log, lists the entries registered and gone.
start_sni_watcher() {
    local i
    "${SNI_WATCHER[@]}" watch "$X11_TMP/sni.log" 2>"$X11_TMP/sni.err" &
    X11_PIDS+=($!)
    for i in $(seq 1 100); do
        grep -q '^ready$' "$X11_TMP/sni.log" 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^ready$' "$X11_TMP/sni.log" 2>/dev/null \
        || { echo "the D-Bus tray did not start:" >&2; cat "$X11_TMP/sni.err" >&2; return 1; }
}

# sni_events: the number of lines in the D-Bus tray's log.
sni_events() {
    wc -l <"$X11_TMP/sni.log"
}

# wait_for_sni_event AFTER WORD [SECONDS]: waits for a "WORD SERVICE" line
# after the first AFTER lines of the D-Bus tray's log and prints SERVICE.
wait_for_sni_event() {
    local after=$1 word=$2 seconds=${3:-20} service i
    for i in $(seq 1 $((seconds * 10))); do
        service=$(tail -n +$((after + 1)) "$X11_TMP/sni.log" | sed -n "s/^$word //p" | head -n1)
        [ -n "$service" ] && { echo "$service"; return 0; }
        sleep 0.1
    done
    return 1
}

# stand_in_opener: for the programs started after it, xdg-open only records
# its arguments, a line each, in $X11_TMP/opened.
stand_in_opener() {
    mkdir -p "$X11_TMP/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$X11_TMP/opened" >"$X11_TMP/bin/xdg-open"
    chmod +x "$X11_TMP/bin/xdg-open"
    export PATH="$X11_TMP/bin:$PATH"
}
