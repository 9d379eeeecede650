#!/usr/bin/env bash
# Paging a big result in the real binary, as a person does: the pane's keys
# with the focus in the pane, the block position below the text, a charset
# chosen for a paged file kept by Previous and Next, F3 and Shift+F3 from
# match to match across blocks, a file deleted while paged, a FIFO in place
# of a result, and a window that stays live while a huge file is scanned.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

# Where the widgets are in the window of fixed size; the pane's area holds
# its text and the strip below it with the block position.
ROW0="76 368"
# The first row's arrow, and the third line row under it, unfolded.
ARROW0="30 368"
LINE3="150 465"
PANE="504 441"
CHARSETS="579 312"
PANE_AREA="330x215+325+335"
# The text alone, without the strip, whose match count grows while paging.
TEXT_AREA="330x185+325+335"
# Bands of the text at its top and around its middle, and the colour of a
# selection there.
TOP_BAND="320x40+330+337"
MIDDLE_BAND="320x50+330+400"
SELECTION=308cc6

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

# search_in DIR KEYWORD: a full-text search, typed as a user does.
search_in() {
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
    xdotool type --delay 20 "$1"
    xdotool key --delay 50 Tab Tab
    xdotool type --delay 20 "$2"
    xdotool key --delay 50 Tab Tab Tab space
    sleep 2
}

# search_and_show DIR KEYWORD: the search, then the first row shown and the
# focus put in the pane.
search_and_show() {
    search_in "$1" "$2"
    xdotool mousemove --window "$id" $ROW0 click 1
    sleep 1
    xdotool mousemove --window "$id" $PANE click 1
    sleep 0.5
}

# strip_says TEXT: waits until the strip below the pane says TEXT (read over
# AT-SPI, which also needs the window to answer).
strip_says() {
    wait_for_shown_text "$pid" "label: $1" >"$X11_TMP/texts" ||
        fail "the strip does not say \"$1\": $(grep '^label: ' "$X11_TMP/texts" | tail -n 3 | tr '\n' '|')"
}

# restart: the program anew, with fresh settings.
restart() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    fresh_config
    "$lintra" &
    pid=$!
    id=$(wait_for_window "$MAIN_TITLE") || fail "main window not shown"
    sleep 1
}

start_display tray
start_session_bus
start_accessibility_bus
fresh_config
tree="$X11_TMP/tree"
mkdir -p "$tree/ascii" "$tree/koi8" "$tree/matches" "$tree/fifo" "$tree/huge"
# 3000 lines of 100 bytes: six blocks, the keyword in the second.
python3 - "$tree" <<'PY'
import sys
tree = sys.argv[1]
lines = [("%06d " % i + ("needle " if i == 600 else "")).ljust(99, "x") + "\n" for i in range(3000)]
open(tree + "/ascii/big.txt", "w").write("".join(lines))
text = "".join("%05d строка русского текста needle\n" % i for i in range(3000))
open(tree + "/koi8/big.txt", "wb").write(text.encode("koi8_r"))
# Matches on lines 11 (block 1), 1,601 (block 4) and 2,901 (block 6 of 6).
lines = [("%06d " % i + ("needle " if i in (10, 1600, 2900) else "")).ljust(99, "x") + "\n" for i in range(3000)]
open(tree + "/matches/big.txt", "w").write("".join(lines))
open(tree + "/fifo/a.txt", "w").write("a needle\n")
open(tree + "/huge/a.txt", "w").write("a needle\n")
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

# A row unfolds to its matching lines (Right) and folds (its arrow); a click on the
# third shows its block with the match selected, as F3 does.
restart
search_in "$tree/matches" needle
xdotool mousemove --window "$id" $ROW0 click 1
sleep 0.5
xdotool key Right
sleep 1
[ -z "${LINTRA_SHOTS:-}" ] || import -window "$id" "$LINTRA_SHOTS/lines.png"
grep -q "^2,901: 002900 needle" <<<"$("${WINDOW_DRIVER[@]}" "$pid" rows)" ||
    fail "the unfolded row does not list line 2,901"
xdotool mousemove --window "$id" $LINE3 click 1
strip_says "Block 6 of 6  ·  Last match: 3 of 3, line 2,901"
[ -z "${LINTRA_SHOTS:-}" ] || import -window "$id" "$LINTRA_SHOTS/line3.png"
[ "$(python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" "$MIDDLE_BAND" $SELECTION)" = 1 ] ||
    fail "the line's match is not selected in the middle of the pane"
xdotool mousemove --window "$id" $ARROW0 click 1
sleep 0.5
grep -q "^2,901: " <<<"$("${WINDOW_DRIVER[@]}" "$pid" rows)" && fail "the arrow left the lines unfolded"

# F3 goes straight to the block of the next match, with the match (selected)
# in the middle of the pane; the strip numbers it. Shift+F3 and Ctrl+G too.
restart
search_and_show "$tree/matches" needle
strip_says "Block 1 of about 6  ·  Match 1 of at least 1, line 11"
xdotool key F3
strip_says "Block 4 of about 6  ·  Match 2 of at least 2, line 1,601"
[ -z "${LINTRA_SHOTS:-}" ] || import -window "$id" "$LINTRA_SHOTS/f3.png"
[ "$(python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" "$MIDDLE_BAND" $SELECTION)" = 1 ] ||
    fail "the match is not selected in the middle of the pane"
[ "$(python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" "$TOP_BAND" $SELECTION)" = 0 ] ||
    fail "a selection at the top of the pane"
xdotool key F3
strip_says "Block 6 of 6  ·  Last match: 3 of 3, line 2,901"
xdotool key F3
strip_says "Block 6 of 6  ·  Last match: 3 of 3, line 2,901  ·  No further match."
xdotool key shift+F3
strip_says "Block 4 of 6  ·  Match 2 of 3, line 1,601"
xdotool key ctrl+g
strip_says "Block 6 of 6  ·  Last match: 3 of 3, line 2,901"
xdotool key ctrl+shift+g
strip_says "Block 4 of 6  ·  Match 2 of 3, line 1,601"

# Deleted while paged: each step says that the file is gone, with no box,
# and the pane and the position stay.
shown=$(shot "$id" "$TEXT_AREA")
rm "$tree/matches/big.txt"
no_box_after ctrl+n
strip_says "Block 4 of 6  ·  Match 2 of 3, line 1,601  ·  The file is gone: it was deleted or moved."
no_box_after ctrl+p
no_box_after F3
if xdotool search --onlyvisible --name '^(Error|Result File Content)$' >/dev/null 2>&1; then
    fail "a box came up for the deleted file"
fi
[ "$(shot "$id" "$TEXT_AREA")" = "$shown" ] || fail "the pane changed after the file was deleted"

# A result replaced by a FIFO: selected, it is reported at once, never
# waited on (a FIFO without a writer blocks a plain open for good).
restart
search_in "$tree/fifo" needle
rm "$tree/fifo/a.txt"
mkfifo "$tree/fifo/a.txt"
xdotool mousemove --window "$id" $ROW0 click 1
strip_says "Not shown: this is not a regular file but a FIFO, socket or device."
[ -z "${LINTRA_SHOTS:-}" ] || import -window "$id" "$LINTRA_SHOTS/fifo.png"

# A result grown to 20 GB of zero bytes, without a keyword: the scan for the
# first keyword block runs while the window answers, the strip shows how far
# it got, and Escape stops it.
restart
search_in "$tree/huge" needle
truncate -s 0 "$tree/huge/a.txt"
truncate -s 20G "$tree/huge/a.txt"
xdotool mousemove --window "$id" $ROW0 click 1
longest=$(atspi probe 3)
echo "longest wait for the window while 20 GB are scanned: $longest ms"
[ "$longest" -lt 1000 ] || fail "the window did not answer for $longest ms during the scan"
grep -q '^label: Looking for a keyword: .* of 20' <<<"$("${WINDOW_DRIVER[@]}" "$pid" texts)" ||
    fail "the strip shows no progress of the scan"
[ -z "${LINTRA_SHOTS:-}" ] || import -window "$id" "$LINTRA_SHOTS/huge.png"
xdotool key Escape
strip_says "Block 1 of about 374,492  ·  Stopped looking for a keyword: the pane shows the start of the file."

# The same 20 GB behind a keyword: its first block, the keyword and then
# zero bytes that hold no line end, is laid out while the window answers,
# also when the window is resized.
restart
printf 'needle\n' >"$tree/huge/a.txt"
search_in "$tree/huge" needle
truncate -s 20G "$tree/huge/a.txt"
atspi probe 4 >"$X11_TMP/probe" &
prober=$!
sleep 0.5
xdotool mousemove --window "$id" $ROW0 click 1
sleep 1.5
xdotool windowsize "$id" 900 700
wait "$prober"
longest=$(cat "$X11_TMP/probe")
echo "case=20 GB of zero bytes behind a keyword, shown and resized: longest wait for the window $longest ms"
[ "$longest" -lt 400 ] || fail "the window did not answer for $longest ms while the block was laid out"
grep -q '^label: Block 1 of about .*  ·  Match 1 of at least 1, line 1$' <<<"$("${WINDOW_DRIVER[@]}" "$pid" texts)" ||
    fail "the keyword's block is not on show"
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "1 passed, 0 failed"
