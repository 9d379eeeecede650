#!/usr/bin/env bash
# One running instance per user, whether or not its settings can be written,
# also when twenty start at once: a second start hands its directory to the
# running window or, without one, is refused; a start after the first has
# ended (through Exit, or killed) goes through. A directory on the command
# line shows in the directory box.
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

# A second start with a directory while the first is hidden in the tray:
# the first window comes back with that directory in its box, and the
# second start ends at once with status 0, without any box of its own.
close_window "$window"
box=$(wait_for_window "^FYI$") || fail "no 'FYI' box on the first close"
press_key "$box" Return
wait_until_hidden "$window" || fail "first window not hidden into the tray"
mkdir -p "$X11_TMP/handed over"
(cd "$X11_TMP" && exec "$lintra" "handed over") &
second=$!
wait_for_exit "$second" || fail "second start with a directory did not end"
[ "$EXIT_STATUS" = 0 ] || fail "second start with a directory: exit status $EXIT_STATUS, expected 0"
wait_for_window "$MAIN_TITLE" >/dev/null || fail "first window not shown again"
[ "$(directory_box_text "$window")" = "$X11_TMP/handed over" ] || fail "directory box: '$(directory_box_text "$window")'"
[ -z "$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null)" ] || fail "a 'Warning' box"
passed=$((passed + 1))

# A second start while the first runs, without a directory: the "Warning"
# box, then status 0; the first window keeps its directory. The refused
# start asks the update server nothing (its check would be due: the first
# instance has saved no check time yet), so no update dialog comes up on top
# of the box, however long it stays open.
start_update_server answer second
http_proxy=$UPDATE_PROXY "$lintra" &
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
[ "$(directory_box_text "$window")" = "$X11_TMP/handed over" ] || fail "first window's directory changed"
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

# main_windows: the number of main windows shown.
main_windows() {
    xdotool search --onlyvisible --name "$MAIN_TITLE" 2>/dev/null | wc -l
}

# Twenty starts at once, with a fresh settings folder, each with the same
# directory: one window, and every other start hands over and ends with 0.
fresh_config
pids=()
for i in $(seq 1 20); do
    "$lintra" "$X11_TMP" &
    pids+=($!)
done
window=$(wait_for_window "$MAIN_TITLE" 60) || fail "20 starts: no window"
for i in $(seq 1 600); do
    running=()
    for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && running+=("$pid"); done
    [ ${#running[@]} -le 1 ] && break
    sleep 0.1
done
[ ${#running[@]} = 1 ] || fail "20 starts: ${#running[@]} still running"
for pid in "${pids[@]}"; do
    [ "$pid" = "${running[0]}" ] || wait "$pid" || fail "20 starts: a later start ended with status $?"
done
[ "$(main_windows)" = 1 ] || fail "20 starts: $(main_windows) windows"
[ -z "$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null)" ] || fail "20 starts: a 'Warning' box"
kill "${running[0]}"
wait "${running[0]}" 2>/dev/null || true
passed=$((passed + 1))

# More callers than the running instance has descriptors for: it listens
# again once they are gone, so a later start still hands its directory over.
fresh_config
(ulimit -n 128 && exec "$lintra") &
first=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "descriptor limit: main window not shown"
python3 - "$XDG_RUNTIME_DIR/lintra/instance.socket" <<'PY' || fail "descriptor limit: callers could not connect"
import socket, sys, time
held, end = [], time.monotonic() + 5
while len(held) < 300 and time.monotonic() < end:
    held.append(socket.socket(socket.AF_UNIX))
    if held[-1].connect_ex(sys.argv[1]) != 0:
        held.pop().close()
        time.sleep(0.01)
time.sleep(1)
sys.exit(0 if len(held) > 128 else 1)
PY
mkdir -p "$X11_TMP/after the flood"
started=$(date +%s)
"$lintra" "$X11_TMP/after the flood" &
second=$!
wait_for_exit "$second" || fail "descriptor limit: the later start did not end"
[ "$EXIT_STATUS" = 0 ] || fail "descriptor limit: the later start ended with $EXIT_STATUS"
[ $(($(date +%s) - started)) -lt 15 ] || fail "descriptor limit: the later start waited for the lock"
[ -z "$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null)" ] || fail "descriptor limit: a 'Warning' box"
[ "$(directory_box_text "$window")" = "$X11_TMP/after the flood" ] || fail "descriptor limit: not handed over"
kill "$first"
wait "$first" 2>/dev/null || true
passed=$((passed + 1))

# A runtime folder of another user's is refused: the start says that it is
# not guarded against a second instance, rather than sharing the folder.
fresh_config
mkdir -p "$X11_TMP/squatted" "$X11_TMP/squatted/lintra-$(id -u)"
chown 65534 "$X11_TMP/squatted/lintra-$(id -u)" 2>/dev/null || chmod 0777 "$X11_TMP/squatted/lintra-$(id -u)"
(unset XDG_RUNTIME_DIR && TMPDIR="$X11_TMP/squatted" exec "$lintra") &
first=$!
notice=$(wait_for_window "^Runtime Folder$") || fail "squatted runtime folder: no notice"
press_key "$notice" Return
[ ! -e "$X11_TMP/squatted/lintra-$(id -u)/instance.lock" ] || fail "squatted runtime folder: used"
kill "$first"
wait "$first" 2>/dev/null || true
passed=$((passed + 1))

# Settings that cannot be written (the configuration folder lies under a
# file: not even root can make it): the first start says so once, the
# second is still refused, and one window stays.
touch "$X11_TMP/a file"
export XDG_CONFIG_HOME="$X11_TMP/a file/config"
"$lintra" &
first=$!
notice=$(wait_for_window "^Settings$") || fail "unwritable settings: no notice"
press_key "$notice" Return
window=$(wait_for_window "$MAIN_TITLE") || fail "unwritable settings: no window"
"$lintra" &
second=$!
box=$(wait_for_window "^Warning$") || fail "unwritable settings: second start not refused"
[ "$(main_windows)" = 1 ] || fail "unwritable settings: $(main_windows) windows"
press_key "$box" Return
wait_for_exit "$second" || fail "unwritable settings: second start did not end"
[ -z "$(xdotool search --onlyvisible --name '^Settings$' 2>/dev/null)" ] || fail "the notice came again"
kill "$first"
wait "$first" 2>/dev/null || true
passed=$((passed + 1))

echo "$passed passed, 0 failed"
