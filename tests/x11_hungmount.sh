#!/usr/bin/env bash
# The real binary on a file system that hangs as a dead network mount does
# (tests/slowfs.py: listing, examining, opening or reading one entry sleeps),
# on a file swapped between a regular file and a FIFO, and with 64
# descriptors: the window keeps answering (also while Browse opens with the
# directory box on the hung mount) (a probe asks it for its status
# every 100 ms over AT-SPI and keeps the longest wait), also when the folder
# to search hangs itself or a result's file hangs as Enter opens it, Cancel
# returns it to the summary at once, a new search runs while a stuck one is
# left behind, and Exit and SIGTERM end the program within a second. Files
# are opened by a stand-in xdg-open that records its arguments. Prints the
# figures.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
PROBE=(/usr/bin/python3 "$(dirname "$0")/searchprobe.py")
SLOWFS="$(dirname "$0")/slowfs.py"

if [ ! -w /dev/fuse ] || ! /usr/bin/python3 -c 'import fusepy' 2>/dev/null || ! command -v fusermount >/dev/null; then
    echo "SKIP: no FUSE here (/dev/fuse, python3-fusepy and fusermount are needed)"
    exit 0
fi

mnt="$X11_TMP/mnt"
mkdir -p "$mnt"
fs_pid=
unmount() {
    if [ -n "$fs_pid" ]; then
        fusermount -u -z "$mnt" 2>/dev/null || true
        kill "$fs_pid" 2>/dev/null || true
        wait "$fs_pid" 2>/dev/null || true
    fi
}
trap 'unmount; stop_display; rm -rf "$X11_TMP"' EXIT
stale="$X11_TMP/stale"
/usr/bin/python3 "$SLOWFS" "$mnt" 30 "$stale" 2>"$X11_TMP/slowfs.log" &
fs_pid=$!
for i in $(seq 1 100); do
    [ -d "$mnt/fast" ] && break
    sleep 0.1
done
[ -d "$mnt/fast" ] || { cat "$X11_TMP/slowfs.log" >&2; fail "the FUSE file system did not mount"; }
# The kernel looks a new name up in a folder one at a time: while /hung's
# lookup sleeps, so would that of any name in the root not looked up yet.
ls "$mnt/stale" "$mnt/paged" >/dev/null

stand_in_opener

start_display
start_session_bus
start_accessibility_bus
fresh_config

# wait_for_end PID SECONDS: until the program is gone, or only its threads
# stuck in the file system are left (its main thread has ended: a zombie
# that the kernel frees when the calls return).
wait_for_end() {
    local pid=$1 seconds=$2 i state
    for i in $(seq 1 $((seconds * 100))); do
        state=$(awk '/^State:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
        [ -z "$state" ] || [ "$state" = Z ] && return 0
        sleep 0.01
    done
    return 1
}

# search_and_cancel CASE DIR EXPECTED: a search stuck in the file system; the
# window is probed for 2 s, then Cancel must show EXPECTED at once.
search_and_cancel() {
    local case=$1 dir=$2 expected=$3 stall cancel shown
    "${PROBE[@]}" "$lintra_pid" search "$dir" needle
    stall=$("${PROBE[@]}" "$lintra_pid" probe 2)
    [ "${stall%.*}" -lt 1000 ] || fail "$case: the window did not answer for $stall ms"
    read -r cancel press_note < <("${PROBE[@]}" "$lintra_pid" cancel)
    shown=$("${PROBE[@]}" "$lintra_pid" summary 1) || fail "$case: no summary after Cancel: $shown"
    echo "case=$case longest_stall_ms=$stall cancel_to_summary_ms=$cancel $press_note"
    [ "${cancel%.*}" -lt 1000 ] || fail "$case: Cancel took $cancel ms"
    [ "$shown" = "$expected" ] || fail "$case: '$shown', expected '$expected'"
}

start_lintra env LC_ALL=C.UTF-8
# In an order where each summary differs from the one before, so that the
# probe sees when it is written. A file read before the hang still counts.
search_and_cancel "slow readdir" "$mnt/slowreaddir" "The search was cancelled at file 0 of 0; 0 found so far."
search_and_cancel "slow open" "$mnt/slowopen" "The search was cancelled at file 2 of 2; 1 found so far."
search_and_cancel "slow stat" "$mnt/slowstat" "The search was cancelled at file 0 of 0; 0 found so far."
search_and_cancel "slow read" "$mnt/slowread" "The search was cancelled at file 2 of 2; 1 found so far."
search_and_cancel "hung start folder" "$mnt/hung" "The search was cancelled at file 0 of 0; 0 found so far."

# With five searches left behind, a new one runs at once; the file it
# could not open is said beside the summary, with its reason a click away.
"${PROBE[@]}" "$lintra_pid" search "$mnt/fast" needle
shown=$("${PROBE[@]}" "$lintra_pid" summary 5 "0 of the 0 searched files contain(s) the given keyword(s)." \
    "The search was cancelled at file 0 of 0; 0 found so far.") ||
    fail "no summary of the search after the stuck ones: $shown"
unread=""
for i in $(seq 1 50); do
    unread=$("${PROBE[@]}" "$lintra_pid" unread)
    [ -n "$unread" ] && break
    sleep 0.1
done
[ "$shown" = "2 of the 3 searched files contain(s) the given keyword(s)." ] || fail "after stuck searches: $shown"
[ "$unread" = "1 file could not be read." ] || fail "not said what could not be read: '$unread'"
echo "case=new search beside stuck ones: $shown $unread"

# A file swapped between a regular file and a FIFO: never waited on, said beside the summary.
tree="$X11_TMP/tree"
mkdir -p "$tree"
for i in $(seq 1 500); do printf 'needle\n' >"$tree/f$i.txt"; done
/usr/bin/python3 - "$tree" <<'PY' &
import os, sys, time
tree = sys.argv[1]
os.mkfifo(tree + "/.fifo")
open(tree + "/.plain", "w").write("needle\n")
end = time.monotonic() + 60
while time.monotonic() < end:
    os.link(tree + "/.fifo", tree + "/.f") ; os.rename(tree + "/.f", tree + "/f250.txt")
    time.sleep(0.0003)
    os.link(tree + "/.plain", tree + "/.p") ; os.rename(tree + "/.p", tree + "/f250.txt")
PY
swapper=$!
X11_PIDS+=($swapper)
for round in 1 2 3 4 5; do
    "${PROBE[@]}" "$lintra_pid" search "$tree" needle
    shown=$("${PROBE[@]}" "$lintra_pid" summary 20 "$shown") || fail "FIFO swap: the search did not end: $shown"
    # The swapped name is a candidate when it is a regular file at the listing.
    [[ "$shown" =~ ^(499\ of\ the\ (499|500)|500\ of\ the\ 500)\ searched ]] || fail "FIFO swap: $shown"
    # A search with another summary in between, so that the next one is seen to end.
    "${PROBE[@]}" "$lintra_pid" search "$mnt/fast" needle
    shown=$("${PROBE[@]}" "$lintra_pid" summary 5 "$shown") || fail "no summary: $shown"
done
kill "$swapper"
echo "case=FIFO swapped in: 5 searches ended ($shown)"

# Exit while a worker is stuck in the kernel: the process ends within a second, settings saved.
"${PROBE[@]}" "$lintra_pid" search "$mnt/slowread" needle
sleep 1
window=$(wait_for_window "$MAIN_TITLE")
"${PROBE[@]}" "$lintra_pid" hold "Exit Norvane Lintra"
start=$(date +%s%N)
xdotool mouseup 1
wait_for_end "$lintra_pid" 5 || fail "Exit did not end the program"
exit_ms=$(( ($(date +%s%N) - start) / 1000000 ))
is_viewable "$window" && fail "the window is still shown after Exit"
echo "case=Exit during a stuck read: ended after ${exit_ms} ms"
[ "$exit_ms" -lt 1000 ] || fail "Exit took $exit_ms ms"
grep -q "slowread" "$XDG_CONFIG_HOME/Norvane/Lintra.conf" || fail "settings not saved on Exit"

# SIGTERM, and Ctrl+C's SIGINT, while a worker is stuck. (Another settings
# folder each: the instance before may still hold its shared memory until
# its stuck calls return.)
for signal in TERM INT; do
    fresh_config
    start_lintra env LC_ALL=C.UTF-8
    "${PROBE[@]}" "$lintra_pid" search "$mnt/slowopen" needle
    sleep 1
    start=$(date +%s%N)
    kill -"$signal" "$lintra_pid"
    wait_for_end "$lintra_pid" 5 || fail "SIG$signal did not end the program"
    term_ms=$(( ($(date +%s%N) - start) / 1000000 ))
    echo "case=SIG$signal during a stuck open: ended after ${term_ms} ms"
    [ "$term_ms" -lt 1000 ] || fail "SIG$signal took $term_ms ms"
    grep -q "slowopen" "$XDG_CONFIG_HOME/Norvane/Lintra.conf" || fail "settings not saved on SIG$signal"
done

# 64 descriptors for the whole process: nothing is lost and nothing is said.
many="$X11_TMP/many"
for d in $(seq 1 300); do mkdir -p "$many/d$d/e"; printf 'needle\n' >"$many/d$d/a.txt"; printf 'needle\n' >"$many/d$d/e/b.txt"; done
fresh_config
start_lintra prlimit --nofile=64 env LC_ALL=C.UTF-8
"${PROBE[@]}" "$lintra_pid" search "$many" needle
shown=$("${PROBE[@]}" "$lintra_pid" summary 60 "Ready to do the Unicode full text search...") || fail "64 descriptors: no summary: $shown"
[ "$shown" = "600 of the 600 searched files contain(s) the given keyword(s)." ] || fail "64 descriptors: $shown"
unread=$("${PROBE[@]}" "$lintra_pid" unread)
[ -z "$unread" ] || fail "64 descriptors: $unread"
echo "case=64 descriptors: $shown"

# click_on ROLE NAME: a click on the middle of the program's first control
# of that role and name, found over AT-SPI.
click_on() {
    /usr/bin/python3 - "$lintra_pid" "$1" "$2" <<'PY'
import subprocess, sys, pyatspi
def find(node):
    if node.getRoleName() == sys.argv[2] and node.name == sys.argv[3]:
        return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return next((box for child in node if child is not None for box in [find(child)] if box), None)
box = next(find(app) for app in pyatspi.Registry.getDesktop(0) if app and app.get_process_id() == int(sys.argv[1]))
subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1"])
PY
}

# F3 into a part of a big file that hangs by now, stopped with Esc: the next
# file selected, a small one that answers, is shown at once, not after the
# stuck read.
"${PROBE[@]}" "$lintra_pid" search "$mnt/paged" needle
shown=$("${PROBE[@]}" "$lintra_pid" summary 10 "$shown") || fail "paged file: no summary: $shown"
small_text="label: Last match: 1 of 1, line 1"
big_text="label: Block 1 of about 4  ·  Match 1 of at least 1, line 1"
click_on "table cell" "$mnt/paged/big.txt"
texts=$(wait_for_shown_text "$lintra_pid" "$big_text") ||
    fail "paged file: the big file's first block is not shown: $(grep '^label: ' <<<"$texts" | tr '\n' '|')"
touch "$stale"
# F3 in the pane, given the focus by a click.
click_on text "File Content"
xdotool key --delay 200 F3
sleep 1
xdotool key Escape
texts=$(wait_for_shown_text "$lintra_pid" "$big_text  ·  Stopped: the file does not answer.") ||
    fail "paged file: Esc did not stop the stuck step: $(grep '^label: ' <<<"$texts" | tr '\n' '|')"
start=$(date +%s%N)
click_on "table cell" "$mnt/paged/small.txt"
texts=$(wait_for_shown_text "$lintra_pid" "$small_text") ||
    fail "paged file: the small file is not shown after the stopped step: $(grep '^label: ' <<<"$texts" | tr '\n' '|')"
shown_ms=$(( ($(date +%s%N) - start) / 1000000 ))
echo "case=small file after a stopped stuck step: shown after ${shown_ms} ms"
[ "$shown_ms" -lt 5000 ] || fail "paged file: the small file was shown only after $shown_ms ms"
rm -f "$stale"

# Enter on a result whose file hangs by now: the window does not wait for it.
"${PROBE[@]}" "$lintra_pid" search "$mnt/stale" needle
shown=$("${PROBE[@]}" "$lintra_pid" summary 5 "$shown") || fail "stale file: no summary: $shown"
[ "$shown" = "1 of the 1 searched files contain(s) the given keyword(s)." ] || fail "stale file: $shown"
touch "$stale"
window=$(wait_for_window "$MAIN_TITLE")
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key --delay 100 Down Return
stall=$("${PROBE[@]}" "$lintra_pid" probe 2)
echo "case=Enter on a hung file longest_stall_ms=$stall"
[ "${stall%.*}" -lt 1000 ] || fail "Enter on a hung file: the window did not answer for $stall ms"
[ ! -s "$X11_TMP/opened" ] || fail "a hung file was handed on before it was seen: $(cat "$X11_TMP/opened")"
# Browse with the directory box on the hung mount: the window answers meanwhile.
kill "$lintra_pid"
fresh_config
start_lintra env LC_ALL=C.UTF-8
"${WINDOW_DRIVER[@]}" "$lintra_pid" type Directory "$mnt/hung"
read -r bx by bw bh < <(atspi extents "push button: Browse...")
xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1
stall=$("${PROBE[@]}" "$lintra_pid" probe 2)
echo "case=Browse from a hung folder longest_stall_ms=$stall"
[ "${stall%.*}" -lt 1000 ] && wait_for_popup "$(wait_for_window "$MAIN_TITLE")" >/dev/null || fail "Browse: $stall ms, or no dialog"
echo "PASS"
