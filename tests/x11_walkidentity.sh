#!/usr/bin/env bash
# The walk in the real binary on trees where paths deceive: a loop of links
# below a path longer than the system's limit ends with one row, a bind mount
# is searched once, links to /dev/null named like a text file and like a
# folder are passed over without a word, a proc file system inside the tree
# is not entered, and a file deeper than the path limit is found, shown in
# the pane and handed to the opener. The mounts are made in a private mount namespace; where none
# can be had, those two cases are skipped with a message. Prints the memory
# each search took above the idle window.
set -euo pipefail
lintra=$1
if [ -z "${LINTRA_WALK_NAMESPACE:-}" ] && unshare -m -p -f --mount-proc true 2>/dev/null; then
    exec env LINTRA_WALK_NAMESPACE=1 unshare -m -p -f --mount-proc --propagation private bash "$0" "$@"
fi
. "$(dirname "$0")/x11lib.sh"
PROBE=(/usr/bin/python3 "$(dirname "$0")/searchprobe.py")

tree="$X11_TMP/tree"
mkdir -p "$tree"
# Nested folders of long names, deeper together than the path limit: a loop
# back up at the bottom of one, a file at the bottom of the other.
python3 - "$tree" <<'PY'
import os, sys
def nest(top, name, levels):
    os.makedirs(top)
    fd = os.open(top, os.O_RDONLY)
    for _ in range(levels):
        os.mkdir(name, dir_fd=fd)
        fd = os.open(name, os.O_RDONLY, dir_fd=fd)
    return fd
os.symlink("..", "up", dir_fd=nest(sys.argv[1] + "/loop", "l" * 40, 110))
with open(sys.argv[1] + "/loop/one.txt", "w") as f:
    f.write("a needle\n")
fd = os.open("deep.txt", os.O_WRONLY | os.O_CREAT, dir_fd=nest(sys.argv[1] + "/deep", "dd", 2000))
os.write(fd, b"the deep needle\n")
PY
mkdir -p "$tree/devlinks/real" "$tree/bind/a" "$tree/bind/b" "$tree/proc/mnt"
echo "a needle" >"$tree/devlinks/real/one.txt"
echo "no match" >"$tree/devlinks/real/two.txt"
ln -s /dev/null "$tree/devlinks/masked.txt"
ln -s /dev/null "$tree/devlinks/masked.service"
echo "a needle" >"$tree/bind/a/one.txt"
echo "a needle" >"$tree/proc/cmdline.txt"
trap 'umount "$tree/proc/mnt" "$tree/bind/b" 2>/dev/null || true; stop_display; rm -rf "$X11_TMP"' EXIT
mounts=
if [ -n "${LINTRA_WALK_NAMESPACE:-}" ] && mount --bind "$tree/bind/a" "$tree/bind/b" &&
    mount -t proc proc "$tree/proc/mnt"; then
    mounts=yes
else
    echo "SKIP (bind mount, proc): no private mount namespace here"
fi

stand_in_opener

start_display
start_session_bus
start_accessibility_bus
fresh_config
start_lintra env LC_ALL=C.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
sleep 1
last=
idle_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$lintra_pid/status")

# expect CASE DIR KEYWORD BUTTON SUMMARY: the search's summary starts with
# SUMMARY (which differs from the one before), nothing is said to be unreadable, and the memory stays bounded.
expect() {
    local case=$1 shown unread peak_kb
    "${PROBE[@]}" "$lintra_pid" search "$2" "$3" "$4"
    shown=$("${PROBE[@]}" "$lintra_pid" summary 60 "$last") || fail "$case: no summary: $shown"
    last=$shown
    unread=$("${PROBE[@]}" "$lintra_pid" unread)
    peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$lintra_pid/status")
    echo "case=$case summary='$shown' peak_above_idle_kb=$((peak_kb - idle_kb))"
    [[ "$shown" == "$5"* ]] || fail "$case: '$shown', expected '$5...'"
    [ -z "$unread" ] || fail "$case: $unread"
    [ $((peak_kb - idle_kb)) -lt 102400 ] || fail "$case: $((peak_kb - idle_kb)) kB above idle"
}

expect loop "$tree/loop" needle "Full Text Search" "1 of the 1 searched files"
expect devlinks "$tree/devlinks" needle "Full Text Search" "1 of the 2 searched files"
if [ -n "$mounts" ]; then
    expect bind "$tree/bind" needle "Full Text Search" "1 of the 1 searched files"
    expect proc "$tree/proc" cmdline "Filename Search" "1 of the "
fi
expect deep "$tree/deep" needle "Full Text Search" "1 of the 1 searched files"

# The deep file in the pane: its text, not a failure.
# The keyboard is on the results when a search ends.
id=$(wait_for_window "$MAIN_TITLE")
xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
xdotool key Down
sleep 2
texts=$("${WINDOW_DRIVER[@]}" "$lintra_pid" texts)
if grep -q 'cannot be opened\|is gone' <<<"$texts"; then
    fail "the deep file is not shown: $(grep 'cannot be opened\|is gone' <<<"$texts")"
fi
wait_for_shown_text "$lintra_pid" "label: Last match: 1 of 1, line 1" >/dev/null ||
    fail "the deep file's match is not shown"
# Enter hands it to the opener, not to a box saying it is gone.
xdotool key Return
for i in $(seq 1 50); do
    [ -s "$X11_TMP/opened" ] && break
    sleep 0.1
done
grep -q '/dd/dd/deep\.txt$' "$X11_TMP/opened" 2>/dev/null || fail "the deep file was not handed to the opener"
