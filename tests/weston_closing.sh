#!/usr/bin/env bash
# Runs tests/tst_traywayland under weston (headless): its case without a tray
# on a session bus with no tray, then its D-Bus tray case with our own
# StatusNotifierWatcher, and checks that the tray saw the entry come and go.
set -euo pipefail
test_binary=$1
. "$(dirname "$0")/x11lib.sh"
. "$(dirname "$0")/waylandlib.sh"

start_weston
start_session_bus
"$test_binary" closingWithoutTray || fail "closing without a tray"

start_sni_watcher
"$test_binary" closingIntoDBusTray || fail "closing into the D-Bus tray"
grep -q '^registered ' "$X11_TMP/sni.log" || fail "no entry registered with the D-Bus tray"
grep -q '^gone ' "$X11_TMP/sni.log" || fail "the entry stayed after the window was restored"
echo "2 passed, 0 failed"
