#!/usr/bin/env bash
# Closing the window hides it behind the tray icon (the first time with the
# "FYI" notice); the icon and its menu bring it back; "Quit" saves and ends.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
title="Lintra - Norvane \[Unicode Plain-Text File Full-Text Search Tool\] Freeware"
passed=0

start_display tray
fresh_config
conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"

"$lintra" &
pid=$!
window=$(wait_for_window "$title") || fail "main window not shown"
[ -z "$(tray_icon)" ] || fail "tray icon shown while the window is"

# First close: the "FYI" box while the window is still shown, then window hidden, icon shown.
close_window "$window"
box=$(wait_for_window "^FYI$") || fail "first close: no 'FYI' box"
is_viewable "$window" || fail "window hidden before the 'FYI' box was closed"
press_key "$box" Return
wait_until_hidden "$window" || fail "first close: window still shown"
icon=$(wait_for_tray_icon) || fail "first close: no tray icon"
[ "$(setting "$conf" IfMinimize2SysTrayInfoShown)" = false ] \
    || fail "notice flag stored as true before the next save"
passed=$((passed + 1))

# A left click on the icon restores the window and hides the icon.
click "$icon" 1
wait_for_window "$title" >/dev/null || fail "left click: window not restored"
wait_for_no_tray_icon || fail "left click: tray icon still shown"
[ "$(xwininfo -id "$window" | sed -n 's/ *-geometry //p')" = "681x552+269+102" ] \
    || fail "left click: window not restored in its normal geometry"
passed=$((passed + 1))

# Second close: no box. The box would come before hiding, so a hidden window
# with no box shown means none was opened.
close_window "$window"
wait_until_hidden "$window" || fail "second close: window still shown"
[ -z "$(xdotool search --onlyvisible --name '^FYI$' 2>/dev/null)" ] || fail "second close: 'FYI' box again"
icon=$(wait_for_tray_icon) || fail "second close: no tray icon"
passed=$((passed + 1))

# A middle click restores as well.
click "$icon" 2
wait_for_window "$title" >/dev/null || fail "middle click: window not restored"
wait_for_no_tray_icon || fail "middle click: tray icon still shown"
passed=$((passed + 1))

# "&Restore" from the icon's menu; a right click alone only opens the menu.
close_window "$window"
wait_until_hidden "$window" || fail "third close: window still shown"
icon=$(wait_for_tray_icon) || fail "third close: no tray icon"
click "$icon" 3
menu=$(wait_for_popup "$window" "$icon") || fail "right click: no menu"
is_viewable "$window" && fail "right click showed the window"
press_key "$menu" r
wait_for_window "$title" >/dev/null || fail "Restore: window not restored"
wait_for_no_tray_icon || fail "Restore: tray icon still shown"
passed=$((passed + 1))

# "&Quit" saves (now with the notice flag set) and ends with status 0.
close_window "$window"
wait_until_hidden "$window" || fail "fourth close: window still shown"
icon=$(wait_for_tray_icon) || fail "fourth close: no tray icon"
click "$icon" 3
menu=$(wait_for_popup "$window" "$icon") || fail "right click: no menu"
press_key "$menu" q
wait_for_exit "$pid" || fail "Quit did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "Quit: exit status $EXIT_STATUS, expected 0"
[ "$(setting "$conf" IfMinimize2SysTrayInfoShown)" = true ] || fail "Quit did not save the notice flag"
[ "$(setting "$conf" size)" = "@Size(681 552)" ] || fail "Quit did not save the size"
passed=$((passed + 1))

# The next run has seen the notice: its first close shows no box.
"$lintra" &
pid=$!
window=$(wait_for_window "$title") || fail "restart: main window not shown"
close_window "$window"
wait_until_hidden "$window" || fail "restart: window still shown after close"
[ -z "$(xdotool search --onlyvisible --name '^FYI$' 2>/dev/null)" ] || fail "restart: 'FYI' box shown again"
icon=$(wait_for_tray_icon) || fail "restart: no tray icon"
click "$icon" 1
wait_for_window "$title" >/dev/null || fail "restart: window not restored"
press_exit_button "$window"
wait_for_exit "$pid" || fail "Exit button did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "Exit: exit status $EXIT_STATUS, expected 0"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
