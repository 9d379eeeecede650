#!/usr/bin/env bash
# Closing the window hides it behind the tray icon (the first time with the
# "FYI" notice); the icon, which shows the program's picture, and its menu
# bring it back; "Quit" saves and ends.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
passed=0

# hide_into_tray STEP: closes the window that shows no box, and sets icon.
# A box would come before the window is hidden, so a hidden window with no
# box around means none was opened.
hide_into_tray() {
    close_window "$window"
    wait_until_hidden "$window" || fail "$1: window still shown"
    [ -z "$(xdotool search --onlyvisible --name '^FYI$' 2>/dev/null)" ] || fail "$1: 'FYI' box again"
    icon=$(wait_for_tray_icon) || fail "$1: no tray icon"
}

# geometry WINDOW: prints WIDTHxHEIGHT+X+Y.
geometry() {
    xwininfo -id "$1" | sed -n 's/ *-geometry //p'
}

# expect_restored STEP: the window is back in its normal geometry, the icon gone.
expect_restored() {
    wait_for_window "$MAIN_TITLE" >/dev/null || fail "$1: window not restored"
    wait_for_no_tray_icon || fail "$1: tray icon still shown"
    [ "$(geometry "$window")" = "$normal" ] \
        || fail "$1: window not restored in its normal geometry $normal: $(geometry "$window")"
}

start_display tray
fresh_config
conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"

"$lintra" &
pid=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "main window not shown"
[ -z "$(tray_icon)" ] || fail "tray icon shown while the window is"
has_icon_property "$window" || fail "the main window has no icon (_NET_WM_ICON)"
# Its size follows the fonts of the display; the place is the default one.
normal=$(geometry "$window")
[ "${normal#*+}" = "269+102" ] || fail "window shown at $normal, expected at +269+102"

# First close: the "FYI" box while the window is still shown, then window hidden, icon shown.
close_window "$window"
box=$(wait_for_window "^FYI$") || fail "first close: no 'FYI' box"
is_viewable "$window" || fail "window hidden before the 'FYI' box was closed"
has_icon_property "$box" || fail "the 'FYI' box has no icon (_NET_WM_ICON)"
press_key "$box" Return
wait_until_hidden "$window" || fail "first close: window still shown"
icon=$(wait_for_tray_icon) || fail "first close: no tray icon"
# The icon is something to click: a picture, not a square of the panel's colour.
colours=$(wait_for_picture "$icon") || fail "the tray icon shows $colours colour(s): no picture"
[ "$(setting "$conf" IfMinimize2SysTrayInfoShown)" = false ] \
    || fail "notice flag stored as true before the next save"
passed=$((passed + 1))

# Left and middle clicks on the icon restore the window; later closes show no box.
click "$icon" 1
expect_restored "left click"
hide_into_tray "second close"
click "$icon" 2
expect_restored "middle click"
passed=$((passed + 1))

# "&Restore" from the icon's menu; a right click alone only opens the menu.
hide_into_tray "third close"
click "$icon" 3
menu=$(wait_for_popup "$window" "$icon") || fail "right click: no menu"
is_viewable "$window" && fail "right click showed the window"
press_key "$menu" r
expect_restored "Restore"
passed=$((passed + 1))

# "&Quit" saves (now with the notice flag set) and ends with status 0.
hide_into_tray "fourth close"
click "$icon" 3
menu=$(wait_for_popup "$window" "$icon") || fail "right click: no menu"
press_key "$menu" q
wait_for_exit "$pid" || fail "Quit did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "Quit: exit status $EXIT_STATUS, expected 0"
[ "$(setting "$conf" IfMinimize2SysTrayInfoShown)" = true ] || fail "Quit did not save the notice flag"
size=${normal%%+*}
[ "$(setting "$conf" size)" = "@Size(${size%x*} ${size#*x})" ] || fail "Quit did not save the size"
passed=$((passed + 1))

# The next run has seen the notice: its first close shows no box. Exit ends it.
"$lintra" &
pid=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "restart: main window not shown"
hide_into_tray "restart"
click "$icon" 1
expect_restored "restart"
press_exit_button "$window"
wait_for_exit "$pid" || fail "Exit button did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "Exit: exit status $EXIT_STATUS, expected 0"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
