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

# With a tray host: the main window appears with its title, fixed-size (the
# window manager offers no resizing or maximising: minimum and maximum size
# are its size), as large as drawn at 96 dpi or larger, at each usual dpi.
start_display tray
for dpi in 96 120 144; do
    fresh_config
    QT_FONT_DPI=$dpi "$lintra" &
    pid=$!
    window=$(wait_for_window "$MAIN_TITLE") || { kill "$pid"; fail "$dpi dpi: main window not shown"; }
    size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w " by " h }')
    hints=$(xprop -id "$window" WM_NORMAL_HINTS)
    grep -q "program specified minimum size: $size\$" <<<"$hints" || fail "$dpi dpi: minimum size is not $size: $hints"
    grep -q "program specified maximum size: $size\$" <<<"$hints" || fail "$dpi dpi: maximum size is not $size: $hints"
    read -r width _ height <<<"$size"
    [ "$width" -ge $((681 * dpi / 96 - 1)) ] && [ "$height" -ge $((552 * dpi / 96 - 1)) ] \
        || fail "$dpi dpi: window of $size is smaller than drawn"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "2 passed, 0 failed"
