#!/usr/bin/env bash
# A day's use of the real binary on a 1280 x 900 screen. Stored values
# beyond any screen (the least and largest numbers) give a window wholly on
# the screen; a maximised window comes back maximised, with its column
# widths; a stored 880 x 880 window comes back so, cut to the screen, and
# the directory box widens with the window. "~/notes" is searched as the
# shell reads it, an invalid path is named in its error box, and Browse
# opens in the box's folder. From the results, F3 shows the next match;
# the line on show stays when the window grows; Ctrl+click adds a row and
# Copy File Path copies both (read by xclip); a long path leaves the other
# columns in sight. The window is read over AT-SPI and from the X server.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

start_readable_display
conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"
mkdir -p "$XDG_CONFIG_HOME/Norvane"

geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'; }
on_screen() {
    local x y w h
    read -r x y w h < <(geometry "$1")
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 900 ] \
        || fail "$2: not wholly on the screen: $w x $h at $x, $y"
}
exit_program() {
    press_exit_button "$1"
    wait_for_exit "$lintra_pid" || fail "Exit did not end the program"
}

# Stored numbers at the ends of their range, maximised, with column widths.
printf '[General]\nposition=@Point(-2147483648 -2147483648)\nsize=@Size(2147483647 2147483647)\nmaximized=true\nResultColumnWidths=111, 222\n' >"$conf"
start_lintra
window=$(wait_for_window "$MAIN_TITLE")
on_screen "$window" "stored extremes"
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ || fail "not maximised: $(xprop -id "$window" _NET_WM_STATE)"
exit_program "$window"
[ "$(setting "$conf" maximized)" = true ] || fail "maximised state not kept: $(cat "$conf")"
[ "$(setting "$conf" ResultColumnWidths)" = "111, 222" ] || fail "column widths not kept: $(cat "$conf")"

# 880 x 880 fits but for the title bar: cut to the screen, not shrunk to the least size.
printf '[General]\nposition=@Point(0 0)\nsize=@Size(880 880)\n' >"$conf"
start_lintra
window=$(wait_for_window "$MAIN_TITLE")
"${WINDOW_DRIVER[@]}" "$lintra_pid" wait
read -r _ _ width height < <(geometry "$window")
[ "$width" = 880 ] && [ "$height" -ge 840 ] || fail "880 x 880 came back as $width x $height"
on_screen "$window" "880 x 880"
box_width() { atspi extents "combo box: Directory" | cut -d" " -f3; }
narrow=$(box_width)
xdotool windowsize "$window" 1250 880
sleep 1
[ "$(box_width)" -ge $((narrow + 300)) ] || fail "the directory box did not widen: $narrow, then $(box_width)"
exit_program "$window"
[ "$(setting "$conf" size)" = "@Size(1250 880)" ] || fail "size not kept: $(setting "$conf" size)"

# A tree in the home folder: two matches at lines 40 and 165 of long wrapped
# lines, a second file, and one in a folder with a long name.
export HOME="$X11_TMP/home"
notes="$HOME/notes"
long_folder="$notes/sub/$(printf 'a-folder-with-a-long-name-%.0s' $(seq 8))"
mkdir -p "$long_folder"
for i in $(seq 1 300); do
    case $i in 40 | 165) word=needle ;; *) word=hay ;; esac
    echo "line $i $word $(printf 'straw %.0s' $(seq 18))"
done >"$notes/long.txt"
echo needle >"$notes/sub/short.txt"
echo needle >"$long_folder/deep.txt"

printf '[General]\nposition=@Point(0 0)\nsize=@Size(900 700)\n' >"$conf"
start_lintra
window=$(wait_for_window "$MAIN_TITLE")
"${WINDOW_DRIVER[@]}" "$lintra_pid" wait
texts() { "${WINDOW_DRIVER[@]}" "$lintra_pid" texts; }
type_directory() {
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.3
    xdotool key --delay 100 alt+d ctrl+a
    xdotool type --delay 20 "$1"
}
# An invalid path: the box says so and names it.
type_directory "~/missing"
xdotool key --delay 100 Tab Tab
xdotool type --delay 20 needle
xdotool key Return
popup=$(wait_for_popup "$window") || fail "an invalid path: no message"
grep -qxF "$HOME/missing" <<<"$(texts)" || fail "the invalid path not named: $(texts)"
xdotool windowfocus --sync "$popup" 2>/dev/null || true
xdotool key Return
wait_until_hidden "$popup" || fail "the message stayed"

# Browse opens in the box's folder.
type_directory "\$HOME/notes"
read -r bx by bw bh < <(atspi extents "push button: Browse...")
xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1
dialog=$(wait_for_popup "$window") || fail "Browse showed no dialog"
for i in $(seq 50); do grep -qxF "list item: $notes" <<<"$(texts)" && break; sleep 0.1; done
grep -qxF "list item: $notes" <<<"$(texts)" || fail "Browse did not open in $notes: $(texts | grep -v '^push button')"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key Escape
wait_until_hidden "$dialog" || fail "the dialog stayed"

type_directory "~/notes"
xdotool key --delay 100 alt+k ctrl+a
xdotool type --delay 20 needle
xdotool key Return
wait_for_shown_text "$lintra_pid" "status bar: 3 of the 3 searched files contain(s) the given keyword(s)." >/dev/null \
    || fail "~/notes not searched: $(texts | grep '^status bar')"
rows() { "${WINDOW_DRIVER[@]}" "$lintra_pid" rows | cut -f1; }
[ "$(rows | head -n1)" = "$notes/long.txt" ] || fail "rows: $(rows)"

# A long path is shortened: the size column stays in the window.
read -r _ cx cw _ < <(echo 0 $(atspi cell 2 1) 0)
read -r wx _ ww _ < <(geometry "$window")
[ "$cx" -lt $((wx + ww)) ] || fail "the size column is pushed out of the window by a long path ($cx)"

# The keyboard is on the results: Down shows the first file, F3 its second match.
wait_for_strip() {
    for i in $(seq 50); do grep -q "$1" <<<"$(texts)" && return 0; sleep 0.1; done
    return 1
}
xdotool key Down
wait_for_strip "1 of 2, line 40" || fail "first match: $(texts | grep -i match)"
xdotool key F3
wait_for_strip "2 of 2, line 165" || fail "F3 from the results: $(texts | grep -i match)"
line=$("${WINDOW_DRIVER[@]}" "$lintra_pid" pane-line)
[ $((line - 165)) -le 2 ] && [ $((165 - line)) -le 2 ] || fail "line $line shown at the pane's middle"
xdotool windowsize "$window" 1250 880
sleep 1
line=$("${WINDOW_DRIVER[@]}" "$lintra_pid" pane-line)
[ $((line - 165)) -le 2 ] && [ $((165 - line)) -le 2 ] || fail "the larger window shows line $line"

# Ctrl+click adds the second row; Copy File Path copies both, a line each.
read -r cx cy < <(atspi cell 1 0)
xdotool mousemove "$cx" "$cy" keydown ctrl click 1 keyup ctrl
sleep 0.3
xdotool key ctrl+shift+c
sleep 0.3
copied=$(xclip -o -selection clipboard)
[ "$copied" = "$(rows | head -n2)" ] || fail "copied: $copied"
kill "$lintra_pid"
wait "$lintra_pid" 2>/dev/null || true
echo "1 passed, 0 failed"
