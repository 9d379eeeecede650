#!/usr/bin/env bash
# The end of a session (SIGTERM at log-out or shut-down, SIGHUP when the
# terminal goes) saves the run's settings and quits cleanly: the update check
# still waiting for its server is ended, the single-instance segment released.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
passed=0

start_display tray
mkdir -p "$X11_TMP/tree"
echo "searched" >"$X11_TMP/tree/alpha.txt"

for signal in TERM HUP; do
    fresh_config
    conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"
    # Qt keeps the segment's key file here while the segment is held.
    export TMPDIR="$X11_TMP/tmp-$signal"
    mkdir -p "$TMPDIR"
    start_update_server hold "held-$signal"

    http_proxy=$UPDATE_PROXY "$lintra" &
    pid=$!
    window=$(wait_for_window "$MAIN_TITLE") || fail "SIG$signal: main window not shown"
    for i in $(seq 1 200); do
        [ "$(requests "held-$signal")" -ge 1 ] && break
        sleep 0.1
    done
    [ "$(requests "held-$signal")" = 1 ] || fail "SIG$signal: the automatic update check sent no request"
    [ -n "$(ls "$TMPDIR" | grep '^qipc_sharedmemory_')" ] || fail "SIG$signal: no segment key file in $TMPDIR"

    # A filename search fills both histories: directory, Browse, keywords, Filename Search.
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.2
    xdotool type --delay 20 "$X11_TMP/tree"
    xdotool key --delay 50 Tab Tab
    xdotool type --delay 20 "alpha"
    xdotool key --delay 50 Tab space
    sleep 1

    kill -"$signal" "$pid"
    wait_for_exit "$pid" || fail "SIG$signal: the program did not end"
    [ "$EXIT_STATUS" = 0 ] || fail "SIG$signal: exit status $EXIT_STATUS, expected 0"
    [ "$(setting "$conf" LastSearchedDirs)" = "$X11_TMP/tree" ] || fail "SIG$signal: directory history not saved"
    [ "$(setting "$conf" LastSearchedKeywords)" = alpha ] || fail "SIG$signal: keyword history not saved"
    [ "$(setting "$conf" size)" = "@Size(681 552)" ] || fail "SIG$signal: window size not saved"
    [ -n "$(setting "$conf" LastCheckUpdatesTime)" ] || fail "SIG$signal: last update check time not saved"
    [ -z "$(ls "$TMPDIR" | grep '^qipc_')" ] || fail "SIG$signal: segment not released: $(ls "$TMPDIR")"
    passed=$((passed + 1))
done

echo "$passed passed, 0 failed"
