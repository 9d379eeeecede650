#!/usr/bin/env bash
# The end of a session saves the run's settings and quits cleanly: the update
# check still waiting for its server is ended, the single-instance socket
# closed. Sessions end by SIGTERM (log-out, shut-down), SIGHUP (the
# terminal gone), SIGINT (Ctrl+C) or through the session manager, whose log-out may also be
# cancelled after the programs have saved: then the program runs on.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
passed=0

start_display tray
mkdir -p "$X11_TMP/tree"
echo "searched" >"$X11_TMP/tree/alpha.txt"

# start_searched STEP: starts the program with a fresh settings folder and an
# update check held by the server, and makes a filename search, which fills
# both histories. Sets pid, window, conf.
start_searched() {
    local step=$1 i
    fresh_config
    conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"
    start_update_server hold "held-$step"

    http_proxy=$UPDATE_PROXY "$lintra" &
    pid=$!
    window=$(wait_for_window "$MAIN_TITLE") || fail "$step: main window not shown"
    size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w " " h }')
    for i in $(seq 1 200); do
        [ "$(requests "held-$step")" -ge 1 ] && break
        sleep 0.1
    done
    [ "$(requests "held-$step")" = 1 ] || fail "$step: the automatic update check sent no request"
    ! flock -n "$XDG_RUNTIME_DIR/lintra/instance.lock" true || fail "$step: the instance lock is not held"
    [ -S "$XDG_RUNTIME_DIR/lintra/instance.socket" ] || fail "$step: no instance socket"

    # Directory, Browse, keywords, Filename Search.
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.2
    xdotool type --delay 20 "$X11_TMP/tree"
    xdotool key --delay 50 Tab Tab
    xdotool type --delay 20 "alpha"
    xdotool key --delay 50 Tab space
    sleep 1
    [ ! -e "$conf" ] || [ -z "$(setting "$conf" LastSearchedDirs)" ] || fail "$step: saved before the end"
}

# expect_saved STEP: the histories, the size and the check time are in the settings file.
expect_saved() {
    [ "$(setting "$conf" LastSearchedDirs)" = "$X11_TMP/tree" ] || fail "$1: directory history not saved"
    [ "$(setting "$conf" LastSearchedKeywords)" = alpha ] || fail "$1: keyword history not saved"
    [ "$(setting "$conf" size)" = "@Size($size)" ] || fail "$1: window size not saved"
    [ -n "$(setting "$conf" LastCheckUpdatesTime)" ] || fail "$1: last update check time not saved"
}

# expect_clean_end STEP: the program ended with status 0 and closed its socket.
expect_clean_end() {
    wait_for_exit "$pid" || fail "$1: the program did not end"
    [ "$EXIT_STATUS" = 0 ] || fail "$1: exit status $EXIT_STATUS, expected 0"
    [ ! -e "$XDG_RUNTIME_DIR/lintra/instance.socket" ] || fail "$1: instance socket left behind"
}

for signal in TERM HUP INT; do
    start_searched "SIG$signal"
    kill -"$signal" "$pid"
    expect_clean_end "SIG$signal"
    expect_saved "SIG$signal"
    passed=$((passed + 1))
done

# A flood of 1,000 signals ends the program once, saved, and frees the lock
# for the next start. The flood may outlast the save: the last ones then
# meet the default action, after the settings were written.
for signal in TERM HUP; do
    start_searched "1,000 SIG$signal"
    for i in $(seq 1 1000); do kill -"$signal" "$pid" 2>/dev/null || break; done
    wait_for_exit "$pid" || fail "1,000 SIG$signal: the program did not end"
    [[ "$EXIT_STATUS" =~ ^(0|129|143)$ ]] || fail "1,000 SIG$signal: exit status $EXIT_STATUS"
    expect_saved "1,000 SIG$signal"
    flock -n "$XDG_RUNTIME_DIR/lintra/instance.lock" true || fail "1,000 SIG$signal: the lock is still held"
    passed=$((passed + 1))
done

# The session manager: a log-out that another program cancels, then one that goes through.
[ -x "${LINTRA_XSMP_MANAGER:-}" ] || fail "no session manager (LINTRA_XSMP_MANAGER, built with libsm-dev)"
export ICEAUTHORITY="$X11_TMP/iceauthority"
"$LINTRA_XSMP_MANAGER" >"$X11_TMP/xsmp.log" 2>&1 &
manager=$!
X11_PIDS+=($manager)
for i in $(seq 1 100); do
    grep -q '^SESSION_MANAGER=' "$X11_TMP/xsmp.log" && break
    sleep 0.1
done
export "$(grep -m1 '^SESSION_MANAGER=' "$X11_TMP/xsmp.log")" || fail "the session manager did not start"
start_searched "log-out"
grep -q '^registered$' "$X11_TMP/xsmp.log" || fail "the program did not register with the session manager"

kill -USR1 "$manager"
for i in $(seq 1 200); do
    grep -q '^save-yourself-done$' "$X11_TMP/xsmp.log" && break
    sleep 0.1
done
grep -q '^save-yourself-done$' "$X11_TMP/xsmp.log" || fail "cancelled log-out: the program did not save itself"
expect_saved "cancelled log-out"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "cancelled log-out: the program ended"
is_viewable "$window" || fail "cancelled log-out: the window was hidden"
[ "$(xdotool search --onlyvisible --classname '^lintra$' 2>/dev/null | wc -l)" = 1 ] \
    || fail "cancelled log-out: a box or menu came up"
passed=$((passed + 1))

kill -USR2 "$manager"
expect_clean_end "log-out"
expect_saved "log-out"
grep -q '^closed$' "$X11_TMP/xsmp.log" || fail "log-out: the connection to the session manager was not closed"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
