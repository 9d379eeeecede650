#!/usr/bin/env bash
# "Open Containing Folder" on the real binary. A file manager on the session
# bus (here a stand-in that records its requests) is asked to show the file
# itself, by a URI that names the same file whatever its name holds; with no
# file manager on the bus, or one that refuses, the folder is opened as before
# (here by a stand-in xdg-open that records its arguments), but never by
# Lintra itself: where Lintra is the desktop's folder handler, an installed
# file manager opens it, and without one the user is told.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
tests=$(cd "$(dirname "$0")" && pwd)
passed=0

start_display tray

# A folder and a file whose names hold blanks, '#', '%', '?', non-ASCII
# letters and a newline.
tree="$X11_TMP/tree"
folder="$tree/sub dir #2 %41 été"
file="$folder/"$'target #1 50% ?a=b\nc ü.txt'
mkdir -p "$folder"
printf 'x\n' >"$file"
printf 'x\n' >"$tree/other.txt"

mkdir -p "$X11_TMP/bin"
cat >"$X11_TMP/bin/xdg-open" <<'SCRIPT'
#!/bin/sh
printf '%s\0' "$@" >>"$XDG_OPEN_RECORD"
SCRIPT
chmod +x "$X11_TMP/bin/xdg-open"
# The desktop's folder handler, as xdg-mime answers it.
cat >"$X11_TMP/bin/xdg-mime" <<'SCRIPT'
#!/bin/sh
[ "$*" = "query default inode/directory" ] && echo "$FOLDER_HANDLER"
SCRIPT
chmod +x "$X11_TMP/bin/xdg-mime"
export FOLDER_HANDLER=org.example.Files.desktop
export PATH="$X11_TMP/bin:$PATH"

# One private session bus for the whole test; what it starts on demand is
# what offer_file_manager puts in its service folder.
services="$X11_TMP/services"
mkdir -p "$services"
start_session_bus "$services"
start_accessibility_bus

# offer_file_manager [ARGUMENTS]: from now on the bus starts the stand-in file
# manager with the arguments on the first request; without, none.
offer_file_manager() {
    rm -f "$services/org.freedesktop.FileManager1.service"
    if [ $# -gt 0 ]; then
        printf '[D-BUS Service]\nName=org.freedesktop.FileManager1\nExec=/usr/bin/python3 %s %s\n' \
            "$tests/filemanager1.py" "$*" >"$services/org.freedesktop.FileManager1.service"
    fi
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.ReloadConfig >/dev/null
}

# stop_file_manager RECORD: ends the stand-in that writes to RECORD, and waits
# until its name has left the bus.
stop_file_manager() {
    local i
    kill "$(cat "$1.pid")"
    for i in $(seq 1 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.freedesktop.FileManager1 | grep -q 'boolean false' \
            && return 0
        sleep 0.1
    done
    return 1
}

# open_containing_folder [KEY]: runs the program, finds the file with a
# filename search typed in, and chooses "Open Containing Folder" on its row,
# or with the focus on the row types the key the menu shows for it.
open_containing_folder() {
    fresh_config
    LC_ALL=C.UTF-8 "$lintra" &
    X11_PIDS+=($!)
    window=$(wait_for_window "$MAIN_TITLE") || fail "main window not shown"
    # The directory field has the focus when the window is activated.
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.3
    xdotool type --delay 20 "$tree"
    xdotool key --delay 100 Tab Tab
    xdotool type --delay 20 "target"
    xdotool key --delay 100 Tab space
    read -r x y < <(atspi cell 0 0) || fail "the file was not found"
    xdotool mousemove "$x" "$y" click 1
    sleep 0.3
    if [ $# -gt 0 ]; then
        xdotool key "$1"
        return
    fi
    xdotool click 3
    wait_for_popup "$window" >/dev/null || fail "no context menu"
    sleep 0.3
    xdotool key f
}

# stop_program: ends the program started last.
stop_program() {
    kill "${X11_PIDS[-1]}"
    wait "${X11_PIDS[-1]}" 2>/dev/null || true
}

# wait_for_file FILE: waits until the file has contents.
wait_for_file() {
    local i
    for i in $(seq 1 100); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# check_request RECORD: the recorded request shows the file, and decoded as
# GIO (which most file managers use) and as plain URI rules decode it, its
# URI is the file's path, byte for byte.
check_request() {
    /usr/bin/python3 - "$1" "$file" <<'CHECK'
import json, os, string, sys, urllib.parse
from gi.repository import Gio
requests = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
assert len(requests) == 1, requests
request = requests[0]
assert request["method"] == "ShowItems" and request["startup_id"] == "", request
assert len(request["uris"]) == 1, request
uri = request["uris"][0]
assert uri.startswith("file:///"), uri
legal = set(string.ascii_letters + string.digits + "-._~/:%")
assert set(uri) <= legal, "characters a URI may not hold raw: %r" % uri
expected = os.fsencode(sys.argv[2])
assert urllib.parse.unquote_to_bytes(uri[len("file://"):]) == expected, uri
assert os.fsencode(Gio.File.new_for_uri(uri).get_path()) == expected, uri
CHECK
}

if [ -e /usr/bin/nautilus ]; then
    echo "nautilus is installed: it, not xdg-open, opens the folder; fallbacks not checked"
else
    # No file manager on the bus: the folder is opened.
    offer_file_manager
    export XDG_OPEN_RECORD="$X11_TMP/xdg-open-1"
    open_containing_folder
    wait_for_file "$XDG_OPEN_RECORD" || fail "no file manager: the folder was not opened"
    printf '%s\0' "$folder" | cmp -s - "$XDG_OPEN_RECORD" || fail "xdg-open got: $(tr '\0' '|' <"$XDG_OPEN_RECORD")"
    stop_program
    passed=$((passed + 1))

    # A file manager that refuses: it is asked, then the folder is opened.
    offer_file_manager --refuse "$X11_TMP/refused"
    export XDG_OPEN_RECORD="$X11_TMP/xdg-open-2"
    open_containing_folder
    wait_for_file "$X11_TMP/refused" || fail "the refusing file manager was not asked"
    wait_for_file "$XDG_OPEN_RECORD" || fail "the folder was not opened after the refusal"
    printf '%s\0' "$folder" | cmp -s - "$XDG_OPEN_RECORD" || fail "xdg-open got: $(tr '\0' '|' <"$XDG_OPEN_RECORD")"
    stop_file_manager "$X11_TMP/refused" || fail "the refusing file manager did not end"
    stop_program
    passed=$((passed + 1))

    # Lintra the desktop's folder handler: an installed file manager opens
    # the folder, not xdg-open (which would start Lintra again).
    offer_file_manager
    export FOLDER_HANDLER=example.norvane.Lintra.desktop XDG_OPEN_RECORD="$X11_TMP/xdg-open-loop"
    sed 's/XDG_OPEN_RECORD/PCMANFM_RECORD/' "$X11_TMP/bin/xdg-open" >"$X11_TMP/bin/pcmanfm"
    chmod +x "$X11_TMP/bin/pcmanfm"
    export PCMANFM_RECORD="$X11_TMP/pcmanfm"
    open_containing_folder
    wait_for_file "$PCMANFM_RECORD" || fail "Lintra the folder handler: no file manager started"
    printf '%s\0' "$folder" | cmp -s - "$PCMANFM_RECORD" || fail "pcmanfm got: $(tr '\0' '|' <"$PCMANFM_RECORD")"
    [ ! -e "$XDG_OPEN_RECORD" ] || fail "Lintra the folder handler: xdg-open was started"
    stop_program
    rm "$X11_TMP/bin/pcmanfm"
    passed=$((passed + 1))

    # ... and without any file manager, the user is told.
    installed=$(for fm in nautilus dolphin nemo caja thunar pcmanfm-qt pcmanfm konqueror; do command -v $fm; done || true)
    if [ -z "$installed" ]; then
        open_containing_folder
        wait_for_window "^Open Containing Folder$" >/dev/null || fail "no file manager: the user is not told"
        [ ! -e "$XDG_OPEN_RECORD" ] || fail "no file manager: xdg-open was started"
        stop_program
        passed=$((passed + 1))
    fi
    export FOLDER_HANDLER=org.example.Files.desktop
fi

# A file manager that the bus starts on demand shows the file.
offer_file_manager "$X11_TMP/requests"
export XDG_OPEN_RECORD="$X11_TMP/xdg-open-3"
open_containing_folder
wait_for_file "$X11_TMP/requests" || fail "the file manager was not asked"
check_request "$X11_TMP/requests" || fail "wrong request: $(cat "$X11_TMP/requests")"
sleep 1
[ ! -e "$XDG_OPEN_RECORD" ] || fail "the folder was opened as well"
stop_file_manager "$X11_TMP/requests" || fail "the file manager did not end"
stop_program
passed=$((passed + 1))

# The menu's key does the same without the menu.
offer_file_manager "$X11_TMP/requests-key"
open_containing_folder ctrl+f
wait_for_file "$X11_TMP/requests-key" || fail "Ctrl+F did not ask the file manager"
check_request "$X11_TMP/requests-key" || fail "wrong request: $(cat "$X11_TMP/requests-key")"
stop_file_manager "$X11_TMP/requests-key" || fail "the file manager did not end"
stop_program
passed=$((passed + 1))

echo "$passed passed, 0 failed"
