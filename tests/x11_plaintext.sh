#!/usr/bin/env bash
# Which files a full-text search reads, on the real binary, driven by the
# keyboard alone: a script without an extension and a configure.ac are found,
# a .dat file of NUL bytes is neither found nor counted, a hidden .env is
# found only with "Include hidden files and folders" checked (Alt+H), and
# node_modules is left out once "Skip folders" (Alt+O) names it; both are
# kept in the settings.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

start_display
start_session_bus
start_accessibility_bus
fresh_config
tree="$X11_TMP/tree"
mkdir -p "$tree/node_modules/pkg" "$tree/tools"
echo 'AC_INIT([alpha], [1.0])' >"$tree/configure.ac"
printf '#!/bin/sh\necho alpha\n' >"$tree/tools/bootstrap"
{ head -c 4096 /dev/zero; echo alpha; } >"$tree/blob.dat"
echo 'TOKEN=alpha' >"$tree/.env"
echo 'module.exports = "alpha";' >"$tree/node_modules/pkg/index.js"

"$lintra" &
pid=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "main window not shown"
"${WINDOW_DRIVER[@]}" "$pid" wait
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.3
# search SUMMARY FILES: a full-text search of the tree for "alpha", from the
# directory box on; fails unless it ends with SUMMARY and lists FILES.
search() {
    xdotool key alt+d ctrl+a && xdotool type --delay 20 "$tree"
    xdotool key alt+k ctrl+a && xdotool type --delay 20 alpha
    xdotool key Return
    texts=$(wait_for_shown_text "$pid" "status bar: $1 of the $1 searched files contain(s) the given keyword(s).") \
        || fail "expected $1 files: $(grep '^status bar' <<<"$texts")"
    found=$("${WINDOW_DRIVER[@]}" "$pid" rows | cut -f1 | sed "s|^$tree/||" | sort | tr '\n' ' ')
    [ "$found" = "$2" ] || fail "found: $found"
}
search 3 "configure.ac node_modules/pkg/index.js tools/bootstrap "
xdotool key alt+h alt+o && xdotool type --delay 20 "build*, node_modules"
search 3 ".env configure.ac tools/bootstrap "
[ -z "${LINTRA_SHOT:-}" ] || import -window root "$LINTRA_SHOT"

xdotool key alt+x
wait_for_exit "$pid"
conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"
[ "$(setting "$conf" IncludeHiddenFilesAndFolders)" = true ] || fail "hidden box not kept: $(cat "$conf")"
[ "$(setting "$conf" LastSkippedFolders)" = '"build*, node_modules"' ] || fail "skip history: $(cat "$conf")"
echo "1 passed, 0 failed"
