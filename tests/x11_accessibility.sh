#!/usr/bin/env bash
# What a screen reader finds in the real binary, read over AT-SPI: every
# control it can focus has a name, fields are labelled and named by their
# labels (also the charset selectors, not by their current entry), the
# descriptions are plain text (no tool-tip markup), the
# Tab key walks the form in its order, and the status line is a status bar
# whose new texts are announced.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
passed=0

start_display tray
start_session_bus
start_accessibility_bus
fresh_config
tree="$X11_TMP/tree"
mkdir -p "$tree/sub"
printf 'an apple a day\n' >"$tree/sub/fruit.txt"
printf 'nothing here\n' >"$tree/other.txt"

LC_ALL=C.UTF-8 "$lintra" &
program=$!
X11_PIDS+=($!)
window=$(wait_for_window "$MAIN_TITLE") || fail "main window not shown"

# Every control a screen reader can focus has a name.
unnamed=$(atspi unnamed) || fail "controls without a name: $unnamed"
passed=$((passed + 1))

# The fields are labelled by the labels beside them.
labels=$(atspi labels)
for expected in "Directory -> combo box: Directory" "Keyword(s) -> combo box: Keyword(s)" \
    "Progress -> progress bar: Progress"; do
    grep -qxF "$expected" <<<"$labels" || fail "no '$expected' in: $labels"
done
grep -q "^Default Local Charset.* -> combo box: Default Local Charset$" <<<"$labels" \
    || fail "charset selector not labelled and named so: $labels"
descriptions=$(atspi descriptions)
grep -q "^push button: Filename Search = When matching filename, search is not limited" <<<"$descriptions" \
    || fail "no plain description of Filename Search: $descriptions"
! grep -q '<[a-z/]' <<<"$descriptions" || fail "descriptions with markup: $descriptions"
passed=$((passed + 1))

# check_looks BUTTON NOTICE: what the eye finds at the controls a screen reader
# places: the button's text keeps room to its frame on both sides (a third
# of the button's height at least), and the copyright line's white box has
# no dark dot at either end.
check_looks() {
    local x y w h gaps column
    read -r x y w h < <(atspi extents "push button: $1")
    # The text's box inside the button (3 pixels of frame left out).
    read -r gaps < <(import -window root -crop "$((w - 6))x$((h - 6))+$((x + 3))+$((y + 3))" png:- \
        | convert - +repage -colorspace gray -threshold 50% -negate -trim -format '%X %w %W' info: \
        | awk '{ print $1 + 3, $3 - $1 - $2 + 3 }')
    read -r left right <<<"$gaps"
    [ "$left" -ge $((h / 3)) ] && [ "$right" -ge $((h / 3)) ] || fail "'$1': text $left and $right px from the edges"
    read -r x y w h < <(atspi extents "label: $2")
    for column in "$x" $((x + w - 1)); do
        [ "$(import -window root -crop "1x$h+$column+$y" png:- | convert - -colorspace gray -format '%[min]' info:)" \
            -gt 40000 ] || fail "a dark dot at the end of the copyright line (column $column)"
    done
}
check_looks "Exit Norvane Lintra" "Copyright Notice"
passed=$((passed + 1))

# Tab walks the form from the directory field, which has the focus when the
# window is activated, through every control and back.
expected_order="combo box: Directory
push button: Browse...
combo box: Keyword(s)
push button: Filename Search
radio button: Match Whole Word
push button: Full Text Search
check box: Include hidden files and folders
combo box: Skip folders
push button: Cancel the Search
push button: Exit Norvane Lintra
label: Copyright Notice
push button: About...
push button: Check Updates
table: Result Files
text: File Content
combo box: Directory"
order=$(atspi focus "$window" 18)
order=$(head -n 16 <<<"$order")
[ "$order" = "$expected_order" ] || fail "Tab order:
$order
expected:
$expected_order"
passed=$((passed + 1))

# A full-text search from the keyboard: the status bar announces its summary.
status="$X11_TMP/status"
/usr/bin/python3 "$ATSPI_HELPER" watch-status "$status" &
X11_PIDS+=($!)
for i in $(seq 1 100); do [ -e "$status" ] && break; sleep 0.1; done
atspi tab-to "$window" "combo box: Directory"
xdotool type --delay 20 "$tree"
xdotool key --delay 100 Tab Tab
xdotool type --delay 20 "apple"
xdotool key --delay 100 Tab Tab Tab space
summary="1 of the 2 searched files contain(s) the given keyword(s)."
for i in $(seq 1 100); do grep -qxF "$summary" "$status" && break; sleep 0.1; done
grep -qxF "$summary" "$status" || fail "summary not announced; the status bar said: $(cat "$status")"
passed=$((passed + 1))

# The shown file's charset is labelled by the heading beside it, and Tab
# meets it between the results and the content pane.
read -r x y < <(atspi cell 0 0) || fail "no result row"
xdotool mousemove "$x" "$y" click 1
labels=$(atspi labels)
grep -qx "File Content in Charset -> combo box: File Content in Charset" <<<"$labels" \
    || fail "content charset not labelled and named so: $labels"
order=$(atspi focus "$window" 3)
[[ $(sed -n 1p <<<"$order") == "combo box: "* ]] && [ "$(sed -n 2p <<<"$order")" = "text: File Content" ] \
    && [ "$(sed -n 3p <<<"$order")" = "combo box: $tree" ] || fail "Tab order after the results:
$order"
unnamed=$(atspi unnamed) || fail "controls without a name after a search: $unnamed"
passed=$((passed + 1))

# The widest button in Chinese at 144 dpi keeps its room too.
kill "$program"
wait "$program" 2>/dev/null || true
fresh_config
LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 QT_FONT_DPI=144 "$lintra" &
X11_PIDS+=($!)
for i in $(seq 1 100); do atspi extents "push button: 退出 Norvane Lintra(X)" >/dev/null 2>&1 && break; sleep 0.2; done
sleep 1
check_looks "退出 Norvane Lintra(X)" "版权声明"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
