#!/usr/bin/env bash
# Paging a big result in the real binary, as a person does: the pane's keys
# with the focus in the pane, the block position below the text, and a
# charset chosen for a paged file kept by Previous and Next.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

# Where the widgets are in the window of fixed size; the pane's area holds
# its text and the strip below it with the block position.
ROW0="76 368"
PANE="504 441"
CHARSETS="579 312"
PANE_AREA="330x215+325+335"
# The text alone, without the strip, whose match count grows while paging.
TEXT_AREA="330x185+325+335"

# shot WINDOW AREA: a checksum of the pixels of an area of the window.
shot() {
    python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$1" "$2"
}

# no_box_after KEY: types the key and fails if a message box comes up.
no_box_after() {
    xdotool key "$1"
    sleep 1
    if xdotool search --onlyvisible --name '^Information$' >/dev/null 2>&1; then
        fail "a box came up after $1"
    fi
}

# search_and_show DIR KEYWORD: a full-text search, then the first row shown
# and the focus put in the pane.
search_and_show() {
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
    xdotool type --delay 20 "$1"
    xdotool key --delay 50 Tab Tab
    xdotool type --delay 20 "$2"
    xdotool key --delay 50 Tab Tab Tab space
    sleep 2
    xdotool mousemove --window "$id" $ROW0 click 1
    sleep 1
    xdotool mousemove --window "$id" $PANE click 1
    sleep 0.5
}

start_display tray
fresh_config
tree="$X11_TMP/tree"
mkdir -p "$tree/ascii" "$tree/koi8"
# 3000 lines of 100 bytes: six blocks, the keyword in the second.
python3 - "$tree" <<'PY'
import sys
tree = sys.argv[1]
lines = [("%06d " % i + ("needle " if i == 600 else "")).ljust(99, "x") + "\n" for i in range(3000)]
open(tree + "/ascii/big.txt", "w").write("".join(lines))
text = "".join("%05d строка русского текста needle\n" % i for i in range(3000))
open(tree + "/koi8/big.txt", "wb").write(text.encode("koi8_r"))
PY

"$lintra" &
pid=$!
id=$(wait_for_window "$MAIN_TITLE") || fail "main window not shown"
sleep 1

# Keys and position: block 2 of the file is on show.
search_and_show "$tree/ascii" needle
no_box_after ctrl+p
first=$(shot "$id" "$PANE_AREA")
no_box_after ctrl+n
second=$(shot "$id" "$PANE_AREA")
[ "$first" != "$second" ] || fail "Ctrl+N left the pane as it was"
no_box_after ctrl+p
[ "$(shot "$id" "$PANE_AREA")" = "$first" ] || fail "Ctrl+P did not come back to the first block"
xdotool key ctrl+p
box=$(wait_for_window '^Information$' 5) || fail "Ctrl+P at the first block said nothing"
press_key "$box" Return
sleep 0.5
xdotool mousemove --window "$id" $PANE click 1
sleep 0.3
no_box_after ctrl+n
[ "$(shot "$id" "$PANE_AREA")" = "$second" ] || fail "Ctrl+N did not come back to the second block"
kill "$pid"
wait "$pid" 2>/dev/null || true

# A charset chosen for a paged file decodes the block, and Next and
# Previous keep it.
fresh_config
"$lintra" &
pid=$!
id=$(wait_for_window "$MAIN_TITLE") || fail "main window not shown"
sleep 1
search_and_show "$tree/koi8" needle
local_text=$(shot "$id" "$TEXT_AREA")
xdotool mousemove --window "$id" $CHARSETS click 1
sleep 0.5
xdotool type --delay 30 KOI8-R
xdotool key Return
sleep 1
chosen=$(shot "$id" "$TEXT_AREA")
[ "$chosen" != "$local_text" ] || fail "choosing KOI8-R left the pane as it was"
# Into the pane from the charsets by keyboard: a click would move the caret
# off the match on show.
xdotool key Tab
sleep 0.3
no_box_after ctrl+n
no_box_after ctrl+p
[ -z "${LINTRA_SHOTS:-}" ] || import -window "$id" "$LINTRA_SHOTS/koi8.png"
[ "$(shot "$id" "$TEXT_AREA")" = "$chosen" ] || fail "Next and Previous did not keep KOI8-R"
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "1 passed, 0 failed"
