#!/usr/bin/env bash
# Check Updates against servers that never finish (tests/updateserver.py):
# one dripping a byte a second ends at the 30 s deadline with the network
# error box, the window answering all along; one sending more than the 64 KB
# cap at once, a redirect's body or a length too large for a number is no
# whole document, and says at once that the check could not be done. Each way the
# program has closed the connection by then. Prints the figures.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
PROBE=(/usr/bin/python3 "$(dirname "$0")/searchprobe.py")

start_display
start_session_bus
start_accessibility_bus

# check_updates MODE: starts the program against the server MODE and presses
# Check Updates; sets pressed (ms).
check_updates() {
    fresh_config
    # Checked an hour ago, so only the button asks.
    mkdir -p "$XDG_CONFIG_HOME/Norvane"
    printf '[General]\nLastCheckUpdatesTime=%s\n' "$(date -d "-1 hour" +%Y-%m-%dT%H:%M:%S)" >"$XDG_CONFIG_HOME/Norvane/Lintra.conf"
    start_update_server "$1" "$1"
    start_lintra env http_proxy="$UPDATE_PROXY"
    "${WINDOW_DRIVER[@]}" "$lintra_pid" press "Check Updates"
    pressed=$(($(date +%s%N) / 1000000))
}

# expect_box MODE TITLE SECONDS: the box TITLE comes within SECONDS of the
# press, after one request, its connection closed; prints the ms it took.
expect_box() {
    local mode=$1 box ms open
    box=$(wait_for_window "^$2\$" "$3") || fail "$mode: no '$2' box within $3 s ($(requests "$mode") requests)"
    ms=$(($(date +%s%N) / 1000000 - pressed))
    [ "$(requests "$mode")" = 1 ] || fail "$mode: $(requests "$mode") requests, expected 1"
    open=$(ss -Htn state established "( sport = :$(cat "$X11_TMP/$mode.port") )")
    [ -z "$open" ] || fail "$mode: the connection is still open after the box"
    kill -0 "$lintra_pid" || fail "$mode: the program ended"
    press_key "$box" Return
    echo "$ms"
}

check_updates drip
stall=$("${PROBE[@]}" "$lintra_pid" probe 20)
ms=$(expect_box drip "Network Error" 25)
echo "case=drip box_after_ms=$ms longest_stall_ms=$stall"
[ "$ms" -ge 27000 ] && [ "$ms" -le 36000 ] || fail "drip: the check ended after $ms ms, not at the 30 s deadline"
[ "${stall%.*}" -lt 1000 ] || fail "drip: the window did not answer for $stall ms"
kill "$lintra_pid"
wait_for_exit "$lintra_pid" || fail "drip: SIGTERM did not end the program"

# Answers that are no whole document: the check could not be done, at once.
for mode in spill redirect overflow; do
    check_updates $mode
    ms=$(expect_box $mode "Network Error" 10)
    echo "case=$mode box_after_ms=$ms"
    [ "$ms" -le 5000 ] || fail "$mode: the check ended after $ms ms, not at once"
    kill "$lintra_pid"
    wait_for_exit "$lintra_pid" || fail "$mode: SIGTERM did not end the program"
done

echo "4 passed, 0 failed"
