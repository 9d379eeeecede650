#!/usr/bin/env bash
# The command line answers on the terminal without any display: help and
# version on standard output with status 0, an unknown option a short usage
# and status 2, a plain start a word about the missing graphical session and
# status 1 (never Qt's abort).
# Start-up of the real binary with and without a tray. Without one the window
# is shown all the same and closing it ends the program, as nothing could bring
# it back; a tray that appears later takes the window when it is closed.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
passed=0

nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
out=$("${nodisplay[@]}" "$lintra" --help 2>"$X11_TMP/err") || fail "--help: exit status $?"
grep -q '^Usage: lintra \[OPTION\]... \[DIRECTORY\]$' <<<"$out" || fail "--help printed: $out"
out=$("${nodisplay[@]}" "$lintra" -v) || fail "-v: exit status $?"
[[ "$out" == "Norvane Lintra "[0-9]* ]] || fail "-v printed: $out"
status=0
"${nodisplay[@]}" "$lintra" --no-such-option >"$X11_TMP/out" 2>"$X11_TMP/err" || status=$?
[ "$status" = 2 ] && grep -q "unknown option '--no-such-option'" "$X11_TMP/err" && grep -q '^Usage:' "$X11_TMP/err" \
    || fail "unknown option: status $status, said: $(cat "$X11_TMP/err")"
status=0
"${nodisplay[@]}" "$lintra" >"$X11_TMP/out" 2>"$X11_TMP/err" || status=$?
[ "$status" = 1 ] && grep -q 'no graphical session' "$X11_TMP/err" \
    || fail "without a display: status $status, said: $(cat "$X11_TMP/err")"
# A display that does not answer: the same, where Qt would abort.
status=0
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:9999 "$lintra" >"$X11_TMP/out" 2>"$X11_TMP/err" || status=$?
[ "$status" = 1 ] && grep -q 'no graphical session' "$X11_TMP/err" \
    || fail "unreachable display: status $status, said: $(cat "$X11_TMP/err")"
passed=$((passed + 1))

# Without a tray host: the window, and its close saves and ends with status 0, no "FYI" box.
start_display
fresh_config
conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"
"$lintra" &
pid=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "no tray: main window not shown"
size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w " " h }')
[ -z "$(xdotool search --onlyvisible --name '^System Tray$' 2>/dev/null)" ] || fail "'System Tray' box shown"
close_window "$window"
wait_for_exit "$pid" || fail "no tray: closing the window did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "no tray: exit status $EXIT_STATUS, expected 0"
[ "$(setting "$conf" size)" = "@Size($size)" ] || fail "no tray: the close did not save the settings"
[ "$(setting "$conf" IfMinimize2SysTrayInfoShown)" = false ] || fail "no tray: the tray notice counted as shown"
passed=$((passed + 1))

# A tray that appears while the program runs: closing hides into it, with the
# one-time notice, and the icon brings the window back.
"$lintra" &
pid=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "late tray: main window not shown"
start_tray
close_window "$window"
box=$(wait_for_window "^FYI$") || fail "late tray: no 'FYI' box"
press_key "$box" Return
wait_until_hidden "$window" || fail "late tray: window still shown"
icon=$(wait_for_tray_icon) || fail "late tray: no tray icon"
kill -0 "$pid" 2>/dev/null || fail "late tray: the program ended"
click "$icon" 1
wait_for_window "$MAIN_TITLE" >/dev/null || fail "late tray: window not restored"
press_exit_button "$window"
wait_for_exit "$pid" || fail "late tray: Exit button did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "late tray: exit status $EXIT_STATUS, expected 0"
passed=$((passed + 1))
stop_display

# With a tray host from the start: the main window appears with its title at
# its least size (the window manager may make it larger, not smaller), as
# large as drawn at 96 dpi or larger, at each usual dpi.
start_display tray
for dpi in 96 120 144; do
    fresh_config
    QT_FONT_DPI=$dpi "$lintra" &
    pid=$!
    window=$(wait_for_window "$MAIN_TITLE") || { kill "$pid"; fail "$dpi dpi: main window not shown"; }
    size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w " by " h }')
    hints=$(xprop -id "$window" WM_NORMAL_HINTS)
    grep -q "program specified minimum size: $size\$" <<<"$hints" || fail "$dpi dpi: minimum size is not $size: $hints"
    ! grep -q "program specified maximum size: $size\$" <<<"$hints" || fail "$dpi dpi: cannot grow: $hints"
    read -r width _ height <<<"$size"
    [ "$width" -ge $((681 * dpi / 96 - 1)) ] && [ "$height" -ge $((552 * dpi / 96 - 1)) ] \
        || fail "$dpi dpi: window of $size is smaller than drawn"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
passed=$((passed + 1))
echo "$passed passed, 0 failed"
