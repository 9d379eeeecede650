#!/usr/bin/env bash
# A D-Bus tray (StatusNotifierItem), as most panels other than GNOME's offer
# it, with no X11 tray host on the display: closing the window hides it and
# registers the program's entry, whose menu offers "&Restore" and "&Quit"
# (written "_Restore" and "_Quit" in the menu protocol); activating the entry
# or "&Restore" brings the window back, "&Quit" saves and ends.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
passed=0

start_display
start_session_bus
start_sni_watcher
fresh_config
conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"

# hide_into_tray STEP: closes the window and sets service to the entry registered for it.
hide_into_tray() {
    local before
    before=$(sni_events)
    close_window "$window"
    wait_until_hidden "$window" || fail "$1: window still shown"
    service=$(wait_for_sni_event "$before" registered) || fail "$1: no tray entry registered"
}

# expect_restored STEP BEFORE: the window is back in its normal geometry and
# the entry gone (after the first BEFORE lines of the tray's log).
expect_restored() {
    wait_for_window "$MAIN_TITLE" >/dev/null || fail "$1: window not restored"
    wait_for_sni_event "$2" gone >/dev/null || fail "$1: tray entry still there"
    [ "$(xwininfo -id "$window" | sed -n 's/ *-geometry //p')" = "$geometry" ] \
        || fail "$1: window not restored in its normal geometry"
}

"$lintra" &
pid=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "main window not shown"
geometry=$(xwininfo -id "$window" | sed -n 's/ *-geometry //p')
[ "$(sni_events)" = 1 ] || fail "a tray entry while the window is shown: $(cat "$X11_TMP/sni.log")"

# First close: the one-time notice, then the window hides and the entry comes.
before=$(sni_events)
close_window "$window"
box=$(wait_for_window "^FYI$") || fail "first close: no 'FYI' box"
press_key "$box" Return
wait_until_hidden "$window" || fail "first close: window still shown"
service=$(wait_for_sni_event "$before" registered) || fail "first close: no tray entry registered"
kill -0 "$pid" 2>/dev/null || fail "first close ended the program"
[ "$("${SNI_WATCHER[@]}" menu "$service" | tr '\n' ' ')" = "_Restore _Quit " ] \
    || fail "menu: $("${SNI_WATCHER[@]}" menu "$service" | tr '\n' ' ')"
passed=$((passed + 1))

# Activating the entry (a click on it in the panel) restores the window.
before=$(sni_events)
"${SNI_WATCHER[@]}" activate "$service"
expect_restored "activate" "$before"
passed=$((passed + 1))

# "&Restore" from the entry's menu; no notice on later closes.
hide_into_tray "second close"
[ -z "$(xdotool search --onlyvisible --name '^FYI$' 2>/dev/null)" ] || fail "second close: 'FYI' box again"
before=$(sni_events)
"${SNI_WATCHER[@]}" click "$service" _Restore
expect_restored "Restore" "$before"
passed=$((passed + 1))

# "&Quit" saves and ends with status 0.
hide_into_tray "third close"
"${SNI_WATCHER[@]}" click "$service" _Quit
wait_for_exit "$pid" || fail "Quit did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "Quit: exit status $EXIT_STATUS, expected 0"
[ "$(setting "$conf" IfMinimize2SysTrayInfoShown)" = true ] || fail "Quit did not save the notice flag"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
