#!/usr/bin/env bash
# The real binary under a Wayland compositor (weston, headless), driven
# through its accessibility interface: it starts without a tray, searches and
# lists what it found, and saves its settings when the session ends.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
. "$(dirname "$0")/waylandlib.sh"
passed=0

start_weston
start_session_bus
start_accessibility_bus
fresh_config
conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"
mkdir -p "$X11_TMP/tree/sub"
echo "one" >"$X11_TMP/tree/alpha.txt"
echo "two" >"$X11_TMP/tree/sub/alpha-two.log"
echo "three" >"$X11_TMP/tree/beta.txt"

"$lintra" &
pid=$!
"${WINDOW_DRIVER[@]}" "$pid" wait || fail "main window not shown"
texts=$("${WINDOW_DRIVER[@]}" "$pid" texts)
grep -q "^filler: Lintra - Norvane \[Unicode Plain-Text File Full-Text Search Tool\] Freeware$" <<<"$texts" \
    || fail "main window not shown: $texts"
grep -q "System Tray" <<<"$texts" && fail "'System Tray' box shown"
passed=$((passed + 1))

# A filename search: two of the three files.
"${WINDOW_DRIVER[@]}" "$pid" type Directory "$X11_TMP/tree"
"${WINDOW_DRIVER[@]}" "$pid" type "Keyword(s)" alpha
"${WINDOW_DRIVER[@]}" "$pid" press "Filename Search"
summary="status bar: 2 of the 3 searched files have/has the given keyword(s) in filename."
texts=$(wait_for_shown_text "$pid" "$summary") || fail "no search summary: $(grep "^status bar" <<<"$texts")"
rows=$("${WINDOW_DRIVER[@]}" "$pid" rows | cut -f1 | sort | tr '\n' ' ')
[ "$rows" = "$X11_TMP/tree/alpha.txt $X11_TMP/tree/sub/alpha-two.log " ] || fail "results: $rows"
passed=$((passed + 1))

# The session ends: settings saved, a clean quit.
kill -TERM "$pid"
wait_for_exit "$pid" || fail "SIGTERM did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "SIGTERM: exit status $EXIT_STATUS, expected 0"
[ "$(setting "$conf" LastSearchedDirs)" = "$X11_TMP/tree" ] || fail "directory history not saved"
[ "$(setting "$conf" LastSearchedKeywords)" = alpha ] || fail "keyword history not saved"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
