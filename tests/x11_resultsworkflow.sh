#!/usr/bin/env bash
# From a search to its results on the real binary, at 144 dpi on a 1280 x 900
# screen: the window opens wholly on the screen, a stored size larger than
# the screen cut to it, whatever the histories hold; Enter in the keyword box runs a full-text
# search that finds README.md and Makefile; the focus is then on the results,
# where Down and Enter open the first file; header clicks sort by size and
# date as numbers and dates; a larger window widens the results; a double
# click opens a file and a vanished file is reported. Files are opened by a
# stand-in xdg-open that records its arguments; the table is read over AT-SPI.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

start_readable_display

mkdir -p "$X11_TMP/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$X11_TMP/opened" >"$X11_TMP/bin/xdg-open"
chmod +x "$X11_TMP/bin/xdg-open"
export PATH="$X11_TMP/bin:$PATH"

# Sizes whose texts sort otherwise than their numbers (KB: 3, 10, 98, 2),
# dates in yet another order.
tree="$X11_TMP/tree"
mkdir -p "$tree/sub"
make_file() { { echo alpha; head -c "$2" /dev/zero | tr '\0' 'x'; } >"$tree/$1"; touch -d "$3" "$tree/$1"; }
make_file README.md 3000 2020-01-01
make_file Makefile 10000 2019-01-01
make_file sub/big.txt 100000 2021-01-01
make_file sub/two.txt 2000 2018-01-01
echo alpha >"$tree/notes.doc"

long=$(printf 'k%.0s' $(seq 300))
mkdir -p "$XDG_CONFIG_HOME/Norvane"
printf '[General]\nsize=@Size(4000 3000)\nLastSearchedKeywords=%s\n' "$long" >"$XDG_CONFIG_HOME/Norvane/Lintra.conf"

QT_FONT_DPI=144 "$lintra" &
pid=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "main window not shown"
"${WINDOW_DRIVER[@]}" "$pid" wait

# geometry: x y width height, and the least size the window asks for.
geometry() { xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'; }
read -r x y width height < <(geometry)
[ "$width" = 1280 ] && [ "$height" -ge 840 ] || fail "opened at $width x $height, not cut to the screen"
[ "$width" -ge $((681 * 3 / 2 - 1)) ] && [ "$height" -ge $((552 * 3 / 2 - 1)) ] || fail "smaller than drawn: $width x $height"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + width)) -le 1280 ] && [ $((y + height)) -le 900 ] \
    || fail "not wholly on the screen: $width x $height at $x, $y"

# rows: the results' paths, sizes and dates as shown.
rows() { "${WINDOW_DRIVER[@]}" "$pid" rows; }
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.3
xdotool type --delay 20 "$tree"
xdotool key --delay 100 Tab Tab
xdotool type --delay 20 alpha
xdotool key Return
texts=$(wait_for_shown_text "$pid" "status bar: 4 of the 4 searched files contain(s) the given keyword(s).") \
    || fail "Enter did not run a full-text search: $(grep '^status bar' <<<"$texts")"
found=$(rows | cut -f1 | sort | tr '\n' ' ')
[ "$found" = "$tree/Makefile $tree/README.md $tree/sub/big.txt $tree/sub/two.txt " ] || fail "found: $found"

# The keyboard is on the results: Down shows the first row, Enter opens it.
first=$(rows | sed -n 1p | cut -f1)
xdotool key Down Return
for i in $(seq 50); do [ -s "$X11_TMP/opened" ] && break; sleep 0.1; done
[ "$(cat "$X11_TMP/opened" 2>/dev/null)" = "file://$first" ] || fail "Enter opened: $(cat "$X11_TMP/opened" 2>/dev/null)"

# click_header COLUMN: a click on the column's header, just above the first row.
click_header() {
    local x0 y0 x1 y1
    read -r x0 y0 < <(atspi cell 0 "$1")
    read -r x1 y1 < <(atspi cell 1 "$1")
    xdotool mousemove "$x0" $((y0 - (y1 - y0))) click 1
    sleep 0.5
}
column_of() { rows | cut -f"$1" | tr '\n' ' '; }
click_header 1
[ "$(column_of 2)" = "2 3 10 98 " ] || fail "sizes up: $(column_of 2)"
click_header 1
[ "$(column_of 2)" = "98 10 3 2 " ] || fail "sizes down: $(column_of 2)"

# The window made larger (as a window manager does): the results take the room.
minimum=$(xprop -id "$window" WM_NORMAL_HINTS | sed -n 's/.*program specified minimum size: \([0-9]*\) by \([0-9]*\)/\1 \2/p')
xdotool windowsize "$window" $minimum
sleep 1
read -r table_width table_height < <("${WINDOW_DRIVER[@]}" "$pid" table-size)
xdotool windowmove "$window" 0 0 windowsize "$window" 1280 900
sleep 1
read -r _ _ width height < <(geometry)
[ "$width $height" = "1280 900" ] || fail "resized to $width x $height"
read -r wider higher < <("${WINDOW_DRIVER[@]}" "$pid" table-size)
[ "$wider" -ge $((table_width + 120)) ] && [ "$higher" -ge $((table_height + 40)) ] \
    || fail "the table did not grow: $table_width x $table_height, then $wider x $higher"
click_header 2
[ "$(rows | cut -f1 | xargs -n1 basename | tr '\n' ' ')" = "two.txt Makefile README.md big.txt " ] \
    || fail "by date: $(rows)"

# A double click opens the row's file; a file gone is reported, not opened.
read -r cx cy < <(atspi cell 2 0)
xdotool mousemove "$cx" "$cy" click --repeat 2 --delay 80 1
for i in $(seq 50); do [ "$(wc -l <"$X11_TMP/opened")" = 2 ] && break; sleep 0.1; done
[ "$(tail -n1 "$X11_TMP/opened")" = "file://$tree/README.md" ] || fail "double click opened: $(cat "$X11_TMP/opened")"
rm "$tree/sub/two.txt"
read -r cx cy < <(atspi cell 0 0)
xdotool mousemove "$cx" "$cy" click 1
sleep 0.3
xdotool key Return
wait_for_popup "$window" >/dev/null || fail "a vanished file: no message"
texts=$("${WINDOW_DRIVER[@]}" "$pid" texts)
grep -q "The file no longer exists" <<<"$texts" || fail "a vanished file: $texts"
sleep 0.5
[ "$(wc -l <"$X11_TMP/opened")" = 2 ] || fail "a vanished file was opened: $(cat "$X11_TMP/opened")"
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "1 passed, 0 failed"
