#!/usr/bin/env bash
# The real binary started with LANG=de_DE.UTF-8 and LANG=zh_CN.UTF-8 (or a
# regional variant: de_AT, zh_SG) shows its window and its first tray notice
# in that language: with the catalogues the
# build puts beside it, and with those of an installed tree.
# With LINTRA_SCREENSHOT_DIR set, screenshots of what it shows are saved there.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
catalogues="$(cd "$(dirname "$0")/../translations" && pwd)"
passed=0

# translated LOCALE CONTEXT SOURCE: the catalogue's translation of a text.
translated() {
    python3 - "$catalogues/lintra_$1.ts" "$2" "$3" <<'EOF'
import sys
import xml.etree.ElementTree as ET
path, context, source = sys.argv[1:]
for c in ET.parse(path).getroot().findall("context"):
    if c.findtext("name") == context:
        for m in c.findall("message"):
            if m.findtext("source") == source:
                print(m.findtext("translation"))
                sys.exit(0)
sys.exit("no translation of %r in %s" % (source, path))
EOF
}

# window_of_title TITLE: prints the id of the shown window of the program whose title is exactly TITLE.
# A loaded machine can take long to start the program: up to a minute.
window_of_title() {
    local id i
    for i in $(seq 1 600); do
        for id in $(xdotool search --onlyvisible --classname '^lintra$' 2>/dev/null); do
            [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

screenshot() {
    [ -n "${LINTRA_SCREENSHOT_DIR:-}" ] && command -v import >/dev/null || return 0
    sleep 0.5
    import -window "$1" "$LINTRA_SCREENSHOT_DIR/$2.png" 2>/dev/null || true
}

# check_language BINARY LOCALE NAME [CATALOGUE]: starts the binary in the
# language, finds the window by its translated title (from the catalogue of
# that locale, or of CATALOGUE), closes it and finds the translated notice.
check_language() {
    local binary=$1 locale=$2 name=$3 catalogue=${4:-$2} title notice window box pid
    title=$(translated "$catalogue" CLintra "Lintra - Norvane [Unicode Plain-Text File Full-Text Search Tool] Freeware")
    notice=$(translated "$catalogue" CLintra "FYI")
    [ "$title" != "Lintra - Norvane [Unicode Plain-Text File Full-Text Search Tool] Freeware" ] \
        || fail "$name: the catalogue leaves the title in English"
    start_display tray
    fresh_config
    env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="$locale.UTF-8" "$binary" &
    pid=$!
    window=$(window_of_title "$title") || { kill "$pid"; fail "$name: no window titled '$title'"; }
    screenshot "$window" "window-$name"
    close_window "$window"
    box=$(window_of_title "$notice") || { kill "$pid"; fail "$name: no '$notice' notice after closing"; }
    screenshot "$box" "notice-$name"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    stop_display
    passed=$((passed + 1))
}

check_language "$lintra" de_DE "de_DE-build"
check_language "$lintra" zh_CN "zh_CN-build"
# Regional variants share the catalogue of their language.
check_language "$lintra" de_AT "de_AT-build" de_DE
check_language "$lintra" zh_SG "zh_SG-build" zh_CN

# An installed tree: the catalogues only under share/, none beside the binary.
prefix="$X11_TMP/prefix"
cmake --install "$(dirname "$lintra")" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/lintra" ] || { mkdir -p "$prefix/bin" && cp "$lintra" "$prefix/bin/lintra"; }
[ -z "$(ls "$prefix"/bin/*.dat 2>/dev/null)" ] || fail "catalogues installed beside the binary"
ls "$prefix/share/lintra/translations/libtxt_zh_CN.dat" >/dev/null || fail "no catalogue installed"
check_language "$prefix/bin/lintra" zh_CN "zh_CN-installed"
check_language "$prefix/bin/lintra" de_DE "de_DE-installed"
echo "$passed passed, 0 failed"
