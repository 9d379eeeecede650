#!/usr/bin/env bash
# Right results in the real binary: whole-word highlights on screen, the
# table's keys in the pane and the table, a cancelled Browse... that changes
# nothing, and a Chinese user's GB18030 file found, shown and coloured.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

# highlighted_lines: the pane's text lines that show the highlight's light gray.
highlighted_lines() {
    python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" "$PANE_AREA" c0c0c0
}
# search_and_show DIR KEYWORD: a full-text search (the keyword pasted), the
# first row shown and the focus in the pane.
search_and_show() {
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
    xdotool type --delay 20 "$1"
    printf '%s' "$2" | xclip -selection clipboard
    xdotool key --delay 50 Tab Tab ctrl+v Tab Tab Tab space
    read -r x y < <(atspi cell 0 0) || fail "nothing found in $1"
    xdotool mousemove "$x" "$y" click 1
    sleep 1
    xdotool mousemove --window "$id" $PANE click 1
    sleep 0.5
}
# start LOCALE PANE PANE_AREA: the program in that language; where its pane is.
start() {
    fresh_config
    PANE=$2 PANE_AREA=$3
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
printf 'cat\n\nconcatenate cats category scatter\n\ncat\n' >"$tree/words/cats.txt"
python3 - "$tree/legacy" <<'PY'
import sys
text = "第一行\n中文搜索：关键词在这里。\n"
open(sys.argv[1] + "/gbk.txt", "wb").write(text.encode("gb18030"))
open(sys.argv[1] + "/utf8.txt", "wb").write(text.encode("utf-8"))
PY

start C.UTF-8 "504 441" "349x212+338+340"
search_and_show "$tree/words" cat
[ "$(highlighted_lines)" = 2 ] || fail "whole-word cat highlighted on $(highlighted_lines) lines"
for focus in pane table; do
    printf 'nothing' | xclip -selection clipboard
    xdotool key ctrl+shift+c
    sleep 0.5
    [ "$(xclip -o -selection clipboard)" = "$tree/words/cats.txt" ] || fail "Ctrl+Shift+C in the $focus"
    read -r x y < <(atspi cell 0 0)
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
done

shown=$(python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" "$PANE_AREA")
rows=$("${WINDOW_DRIVER[@]}" "$pid" rows)
xdotool mousemove --window "$id" 592 84 click 1 # Browse...
dialog=$(wait_for_popup "$id") || fail "Browse... showed no dialog"
sleep 0.5
press_key "$dialog" Escape
wait_until_hidden "$dialog" 5 || fail "the dialog stayed"
sleep 0.5
[ "$("${WINDOW_DRIVER[@]}" "$pid" rows)" = "$rows" ] || fail "cancelling Browse... changed the results"
[ "$(python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" "$PANE_AREA")" = "$shown" ] || fail "and the pane"
kill "$pid"

start zh_CN.UTF-8 "520 460" "327x187+360+368"
search_and_show "$tree/legacy" 关键词
[ "$("${WINDOW_DRIVER[@]}" "$pid" rows | cut -f1)" = "$tree/legacy/gbk.txt"$'\n'"$tree/legacy/utf8.txt" ] \
    || fail "the GB18030 file was not found"
[ "$(highlighted_lines)" = 1 ] || fail "GB18030 file highlighted on $(highlighted_lines) lines"
# The pane's charset selector says GB18030 there, and UTF-8 for the UTF-8 file.
charset=$(python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" 190x22+495+335)
read -r x y < <(atspi cell 1 0)
xdotool mousemove "$x" "$y" click 1
sleep 1
[ "$(python3 "$(dirname "$X11_HELPER")/x11pixels.py" "$id" 190x22+495+335)" != "$charset" ] \
    || fail "the charset selector shows the same for the GB18030 and the UTF-8 file"
kill "$pid"
echo "1 passed, 0 failed"
