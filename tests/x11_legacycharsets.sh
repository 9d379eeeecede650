#!/usr/bin/env bash
# Files in the charsets people wrote before UTF-8, under their locales, on
# the real binary: whole words in Spanish, a Latin-1 byte far into a file
# found by the search and shown right in the pane, Shift_JIS under Japanese,
# windows-1254 under Turkish, the "Default Local Charset" box, and the
# LegacyCharset setting. The locales are built here where the system lacks
# them; without localedef the test is skipped.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"

start_display
start_session_bus
start_accessibility_bus
export LOCPATH="$X11_TMP/locales"
mkdir -p "$LOCPATH"
for locale in es_ES ja_JP tr_TR; do
    localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8" 2>/dev/null ||
        { echo "skipped: cannot build the locale $locale.UTF-8 with localedef"; exit 0; }
done
unset LC_ALL LC_CTYPE LC_MESSAGES LANGUAGE

# in_locale LOCALE KEYWORD SUMMARY [SETTING]: searches $tree for KEYWORD
# under LOCALE (with the settings line SETTING) and fails unless the summary
# names SUMMARY files found; shows the first result in the pane.
in_locale() {
    fresh_config
    mkdir -p "$XDG_CONFIG_HOME/Norvane"
    printf '[General]\n%s\n' "${4:-}" >"$XDG_CONFIG_HOME/Norvane/Lintra.conf"
    LANG=$1 "$lintra" "$tree" &
    pid=$!
    X11_PIDS+=($pid)
    "${WINDOW_DRIVER[@]}" "$pid" wait || fail "main window not shown under $1"
    "${WINDOW_DRIVER[@]}" "$pid" type "Keyword(s)" "$2"
    "${WINDOW_DRIVER[@]}" "$pid" press "Full Text Search"
    wait_for_shown_text "$pid" "status bar: $3 of the $files searched files contain(s) the given keyword(s)." \
        >"$X11_TMP/texts" || fail "$1, $2: $(grep '^status bar' "$X11_TMP/texts")"
}

# shows NAME TEXT: what is named NAME reads TEXT (or contains it, for the pane).
shows() {
    local value
    value=$("${WINDOW_DRIVER[@]}" "$pid" value "$1")
    grep -qF -- "$2" <<<"$value" || fail "$1 shows \"$value\", not \"$2\""
}

done_with() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

tree="$X11_TMP/tree"
mkdir -p "$tree"
printf 'el archivo nuevo\n' >"$tree/uno.txt"
printf 'los archivos viejos\n' >"$tree/dos.txt"
# Latin-1, its only non-ASCII byte 200 KB into the file.
{ for i in $(seq 1 4000); do echo "line $i of an old log, nothing to see"; done
  printf 'el a\xf1o pasado\n'; } >"$tree/viejo.log"
files=3
in_locale es_ES.UTF-8 archivo 1
shows "Default Local Charset" windows-1252
done_with
in_locale es_ES.UTF-8 año 1
id=$(wait_for_window "$MAIN_TITLE") || fail "no window to show the result in"
xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
xdotool key --delay 50 Down
sleep 1
shows "File Content" "el año pasado"
shows "File Content in Charset" windows-1252
done_with

# The LegacyCharset setting reads Cyrillic files under a Spanish locale.
printf '\xed\xcf\xd3\xcb\xd7\xc1 \xd3\xd4\xcf\xcc\xc9\xc3\xc1\n' >"$tree/ruso.txt" # KOI8-R
files=4
in_locale es_ES.UTF-8 Москва 1 LegacyCharset=KOI8-R
shows "Default Local Charset" KOI8-R
done_with

rm "$tree"/*
printf '\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\n' >"$tree/nihongo.txt" # Shift_JIS
files=1
in_locale ja_JP.UTF-8 日本語 1
shows "Default Local Charset" Shift_JIS
done_with

printf '\xdDstanbul\x27da \xfd\xfe\xfdk\n' >"$tree/turkce.txt" # windows-1254
files=2
in_locale tr_TR.UTF-8 ışık 1
shows "Default Local Charset" windows-1254
done_with
echo "1 passed, 0 failed"
