#!/usr/bin/env bash
# Right results as a person meets them in the real binary: whole-word
# highlighting that colours only what the search finds (counted as patches
# of the highlight's light gray on screen), the table's keys with the focus
# in the pane and in the table, a cancelled Browse... that changes nothing,
# and a Chinese user's GB18030 file found, shown and highlighted.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

# Where the widgets are in the window of fixed size, in English; start sets
# the pane's place for the language.
BROWSE="592 84"
LIGHT_GRAY=c0c0c0

# highlights: the number of highlighted words in the pane.
highlights() {
    python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" "$PANE_AREA" $LIGHT_GRAY
}
pane_shot() {
    python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" "$PANE_AREA"
}

# search_and_show DIR KEYWORD: a full-text search, then the first row shown
# and the focus put in the pane. The keyword goes through the clipboard,
# which xdotool cannot type in every script.
search_and_show() {
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
    xdotool type --delay 20 "$1"
    xdotool key --delay 50 Tab Tab
    printf '%s' "$2" | xclip -selection clipboard
    xdotool key --delay 50 ctrl+v Tab Tab Tab space
    sleep 2
    read -r x y < <(atspi cell 0 0) || fail "nothing found in $1"
    xdotool mousemove "$x" "$y" click 1
    sleep 1
    xdotool mousemove --window "$id" $PANE click 1
    sleep 0.5
}

# start LOCALE PANE PANE_AREA: the program in that language, its window in
# $id, and where its pane is.
start() {
    PANE=$2
    PANE_AREA=$3
    fresh_config
    env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="$1" "$lintra" &
    pid=$!
    X11_PIDS+=($pid)
    "${WINDOW_DRIVER[@]}" "$pid" wait >/dev/null || fail "no window in $1"
    id=$(xdotool search --onlyvisible --pid "$pid" | head -n1)
    sleep 1
}

start_display tray
start_session_bus
start_accessibility_bus
tree="$X11_TMP/tree"
mkdir -p "$tree/words" "$tree/legacy"
printf 'cat\nconcatenate cats category scatter c++11\ncat\n' >"$tree/words/cats.txt"
python3 - "$tree/legacy" <<'PY'
import sys
text = "第一行\n中文搜索：关键词在这里。\n"
open(sys.argv[1] + "/gbk.txt", "wb").write(text.encode("gb18030"))
open(sys.argv[1] + "/utf8.txt", "wb").write(text.encode("utf-8"))
open(sys.argv[1] + "/other.txt", "wb").write("别的\n".encode("gb18030"))
PY

# Whole words: the two lines "cat", not concatenate, cats, category or scatter.
start C.UTF-8 "504 441" "349x212+338+340"
search_and_show "$tree/words" cat
[ "$(highlights)" = 2 ] || fail "whole-word cat: $(highlights) words highlighted"

# Copy File Path with the focus in the pane, then in the table.
printf 'nothing' | xclip -selection clipboard
xdotool key ctrl+shift+c
sleep 0.5
[ "$(xclip -o -selection clipboard)" = "$tree/words/cats.txt" ] || fail "Ctrl+Shift+C in the pane copied nothing"
printf 'nothing' | xclip -selection clipboard
read -r x y < <(atspi cell 0 0)
xdotool mousemove "$x" "$y" click 1
sleep 0.5
xdotool key ctrl+shift+c
sleep 0.5
[ "$(xclip -o -selection clipboard)" = "$tree/words/cats.txt" ] || fail "Ctrl+Shift+C in the table copied nothing"

# Browse..., the tool button after the directory field, then Escape.
shown=$(pane_shot)
"${WINDOW_DRIVER[@]}" "$pid" rows >"$X11_TMP/rows-before"
xdotool mousemove --window "$id" $BROWSE click 1
dialog=$(wait_for_popup "$id") || fail "Browse... showed no dialog"
sleep 0.5
press_key "$dialog" Escape
wait_until_hidden "$dialog" 5 || fail "the dialog stayed"
sleep 0.5
"${WINDOW_DRIVER[@]}" "$pid" rows >"$X11_TMP/rows-after"
cmp -s "$X11_TMP/rows-before" "$X11_TMP/rows-after" || fail "cancelling Browse... changed the results"
[ "$(pane_shot)" = "$shown" ] || fail "cancelling Browse... changed the pane"
kill "$pid"

# A Chinese user: the GB18030 file is found beside the UTF-8 one, shown in
# GB18030 with the keyword coloured, and the charset selector says so.
start zh_CN.UTF-8 "520 460" "327x187+360+368"
search_and_show "$tree/legacy" 关键词
rows=$("${WINDOW_DRIVER[@]}" "$pid" rows | cut -f1)
[ "$rows" = "$tree/legacy/gbk.txt"$'\n'"$tree/legacy/utf8.txt" ] || fail "rows: $rows"
[ "$(highlights)" = 1 ] || fail "GB18030 file: $(highlights) words highlighted"
# Read whole first: grep -q would stop the driver early, and pipefail would count that.
texts=$("${WINDOW_DRIVER[@]}" "$pid" texts)
# The Default Local Charset selector's, and the pane's.
[ "$(grep -cx 'combo box: GB18030' <<<"$texts")" = 2 ] || fail "the pane's charset selector does not show GB18030"
kill "$pid"
echo "1 passed, 0 failed"
