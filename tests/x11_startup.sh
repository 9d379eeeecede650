#!/usr/bin/env bash
# Start-up of the real binary: refused without a tray, shown with one.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

# Without a tray host: the "System Tray" box, exit status 1, no settings written.
start_display
fresh_config
"$lintra" &
pid=$!
id=$(wait_for_window "System Tray") || fail "no 'System Tray' box"
press_key "$id" Return
wait_for_exit "$pid" || fail "did not end after the box was closed"
[ "$EXIT_STATUS" = 1 ] || fail "exit status $EXIT_STATUS, expected 1"
[ -z "$(ls -A "$XDG_CONFIG_HOME")" ] || fail "settings were written: $(ls -R "$XDG_CONFIG_HOME")"
stop_display

# With a tray host: the main window appears with its title.
start_display tray
fresh_config
"$lintra" &
pid=$!
wait_for_window "Lintra - Norvane \[Unicode Plain-Text File Full-Text Search Tool\] Freeware" >/dev/null \
    || { kill "$pid"; fail "main window not shown"; }
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "1 passed, 0 failed"
