#!/usr/bin/env bash
# One running instance per user: a second start is refused, also when it
# names a directory, while a start after the first has ended (through Exit,
# or killed) goes through. A directory on the command line shows in the
# directory box.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
passed=0

start_display tray
fresh_config

# Started with a directory, given relative to the working directory.
mkdir -p "$X11_TMP/Tree 笔记/sub"
(cd "$X11_TMP/Tree 笔记" && exec "$lintra" sub) &
first=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "first instance: main window not shown"
shown=$(directory_box_text "$window")
[ "$shown" = "$X11_TMP/Tree 笔记/sub" ] || fail "directory box shows '$shown', expected '$X11_TMP/Tree 笔记/sub'"
passed=$((passed + 1))

# A second start while the first runs, with a directory of its own: the
# "Warning" box, then status 0; the first window keeps its directory. The
# refused start asks the update server nothing (its check would be due: the
# first instance has saved no check time yet), so no update dialog comes up
# on top of the box, however long it stays open.
start_update_server answer second
http_proxy=$UPDATE_PROXY "$lintra" "$X11_TMP" &
second=$!
box=$(wait_for_window "^Warning$") || fail "second instance: no 'Warning' box"
sleep 3
[ "$(requests second)" = 0 ] || fail "second instance: sent an update request"
[ -z "$(xdotool search --onlyvisible --name 'Update' 2>/dev/null)" ] || fail "second instance: an update dialog"
[ "$(xdotool search --onlyvisible --classname '^lintra$' 2>/dev/null | wc -l)" = 2 ] \
    || fail "second instance: other windows than the first's and the 'Warning' box"
press_key "$box" Return
wait_for_exit "$second" || fail "second instance did not end after the box"
[ "$EXIT_STATUS" = 0 ] || fail "second instance: exit status $EXIT_STATUS, expected 0"
kill -0 "$first" 2>/dev/null || fail "first instance ended with the second"
is_viewable "$window" || fail "first instance's window was hidden"
[ "$(directory_box_text "$window")" = "$X11_TMP/Tree 笔记/sub" ] || fail "first window's directory changed"
passed=$((passed + 1))

# After the first instance has ended through its Exit button, a start succeeds.
press_exit_button "$window"
wait_for_exit "$first" || fail "Exit button did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "after Exit: exit status $EXIT_STATUS, expected 0"
"$lintra" &
third=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "start after Exit: main window not shown"
[ -z "$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null)" ] || fail "start after Exit was refused"
passed=$((passed + 1))

# An instance killed outright leaves its segment behind; it must not lock the user out.
kill -KILL "$third"
wait "$third" 2>/dev/null || true
"$lintra" &
fourth=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "start after SIGKILL: main window not shown (refused?)"
[ -z "$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null)" ] || fail "start after SIGKILL was refused"
# Ended through Exit, so that no segment is left behind on the machine.
press_exit_button "$window"
wait_for_exit "$fourth" || fail "Exit button did not end the program"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
