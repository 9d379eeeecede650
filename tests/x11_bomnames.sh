#!/usr/bin/env bash
# Names that begin with U+FEFF, on the real binary: a file so named is listed
# under its own name, with its size, and a folder so named is searched too.
# The window is read through its accessibility interface, as a screen reader
# reads it.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

start_display
start_session_bus
start_accessibility_bus
fresh_config
bom=$'\xef\xbb\xbf'
tree="$X11_TMP/tree"
mkdir -p "$tree/${bom}sub"
head -c 2048 /dev/zero | tr '\0' 'x' >"$tree/${bom}bom.txt"
echo one >"$tree/${bom}sub/inside.txt"
echo two >"$tree/plain.txt"

"$lintra" "$tree" &
pid=$!
"${WINDOW_DRIVER[@]}" "$pid" wait || fail "main window not shown"
"${WINDOW_DRIVER[@]}" "$pid" type "Keyword(s)" txt
"${WINDOW_DRIVER[@]}" "$pid" press "Filename Search"
summary="status bar: 3 of the 3 searched files have/has the given keyword(s) in filename."
texts=$(wait_for_shown_text "$pid" "$summary") || fail "summary: $(grep '^status bar' <<<"$texts")"
rows=$("${WINDOW_DRIVER[@]}" "$pid" rows | cut -f1,2 | sort)
expected=$(printf '%s\t%s\n' "$tree/${bom}bom.txt" 2 "$tree/${bom}sub/inside.txt" 1 "$tree/plain.txt" 1 | sort)
[ "$rows" = "$expected" ] || fail "rows (name, size):
$rows
expected:
$expected"
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "1 passed, 0 failed"
