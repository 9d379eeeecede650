#!/usr/bin/env bash
# A day's use of the real binary, read from the X server, AT-SPI and xclip:
# the window comes back as it was left, a path is typed as in a shell, and
# the results take keys, several rows and long paths.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
start_readable_display
conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf" && mkdir -p "$XDG_CONFIG_HOME/Norvane"
geometry() { xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'; }
start() { printf "[General]\n$1\n" >"$conf"; start_lintra; window=$(wait_for_window "$MAIN_TITLE"); "${WINDOW_DRIVER[@]}" "$lintra_pid" wait; }
texts() { "${WINDOW_DRIVER[@]}" "$lintra_pid" texts; }
wait_for_text() { for i in $(seq 50); do grep -q "$1" <<<"$(texts)" && return 0; sleep 0.1; done; fail "$2: $(texts | grep -v 'list item: [A-Z]')"; }
click_at() { xdotool mousemove $(($1 + ${3:-0} / 2)) $(($2 + ${4:-0} / 2)) click 1; }

# Stored extremes and the maximised state; then 880 x 880, cut to the screen, and fields that widen.
start 'position=@Point(-2147483648 -2147483648)\nsize=@Size(2147483647 2147483647)\nmaximized=true\nResultColumnWidths=111, 222'
read -r x y w h < <(geometry)
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 900 ] || fail "off the screen: $w x $h at $x, $y"
xprop -id "$window" _NET_WM_STATE | grep -q MAXIMIZED_HORZ || fail "not maximised"
press_exit_button "$window" && wait_for_exit "$lintra_pid"
grep -q '^maximized=true' "$conf" && grep -q '^ResultColumnWidths=111, 222' "$conf" || fail "not kept: $(cat "$conf")"
start 'position=@Point(0 0)\nsize=@Size(880 880)'
read -r _ _ w h < <(geometry)
[ "$w" = 880 ] && [ "$h" -ge 840 ] && [ "$h" -le 900 ] || fail "880 x 880 came back as $w x $h"
narrow=$(atspi extents "combo box: Directory" | cut -d" " -f3)
xdotool windowsize "$window" 1250 880 && sleep 1
[ "$(atspi extents "combo box: Directory" | cut -d" " -f3)" -ge $((narrow + 300)) ] || fail "the directory box did not widen"
kill "$lintra_pid"

# Two matches in long wrapped lines (40 and 165), a file in a long-named folder.
export HOME="$X11_TMP/home" && notes="$X11_TMP/home/notes"
long_folder="$notes/sub/$(printf 'a-folder-with-a-long-name-%.0s' $(seq 8))"
mkdir -p "$long_folder" && echo needle >"$notes/sub/short.txt" && echo needle >"$long_folder/deep.txt"
for i in $(seq 300); do echo "line $i $( ((i == 40 || i == 165)) && echo needle || echo hay) $(printf 'straw %.0s' $(seq 18))"; done >"$notes/long.txt"
start 'position=@Point(0 0)\nsize=@Size(900 700)'
search() { xdotool key --delay 100 alt+d ctrl+a type --delay 20 "$1"; xdotool key --delay 100 alt+k ctrl+a type --delay 20 needle; xdotool key Return; }
xdotool windowfocus --sync "$window"
search "~/missing"
popup=$(wait_for_popup "$window") || fail "an invalid path: no message"
wait_for_text "^$HOME/missing\$" "the invalid path not named"
xdotool windowfocus --sync "$popup" key Return
xdotool windowfocus --sync "$window" key --delay 100 alt+d ctrl+a type '$HOME/notes'
click_at $(atspi extents "push button: Browse...")
dialog=$(wait_for_popup "$window") || fail "Browse showed no dialog"
wait_for_text "list item: $notes\$" "Browse did not open in $notes"
xdotool windowfocus --sync "$dialog" key Escape windowfocus --sync "$window"
search "~/notes"
wait_for_text "status bar: 3 of the 3 searched" "~/notes not searched"
rows=$("${WINDOW_DRIVER[@]}" "$lintra_pid" rows | cut -f1)
[ "$(head -n1 <<<"$rows")" = "$notes/long.txt" ] || fail "rows: $rows"
read -r cx _ < <(atspi cell 2 1)
read -r x _ w _ < <(geometry)
[ "$cx" -lt $((x + w)) ] || fail "the size column is pushed out of the window by a long path"

# From the results: Down shows a file, F3 its next match, which stays on show in a larger window.
xdotool key Down && wait_for_text "1 of 2, line 40" "first match"
xdotool key F3 && wait_for_text "2 of 2, line 165" "F3 from the results"
for size in "900 700" "1250 880"; do
    xdotool windowsize "$window" $size && sleep 1
    line=$("${WINDOW_DRIVER[@]}" "$lintra_pid" pane-line)
    [ "$line" -ge 163 ] && [ "$line" -le 167 ] || fail "$size: line $line at the pane's middle"
done

# Ctrl+click adds the second file, below the first one's two matching lines
# (Right unfolds them); Copy File Path copies both files, a line each.
xdotool key Right sleep 0.5
read -r cx cy < <(atspi cell 3 0)
xdotool mousemove "$cx" "$cy" keydown ctrl click 1 keyup ctrl sleep 0.3 key ctrl+shift+c sleep 0.3
[ "$(xclip -o -selection clipboard)" = "$(head -n2 <<<"$rows")" ] || fail "copied: $(xclip -o -selection clipboard)"
kill "$lintra_pid" && echo "1 passed, 0 failed"
