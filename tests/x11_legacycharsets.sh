#!/usr/bin/env bash
# Old files under their users' locales (built here): Spanish whole words, a late Latin-1 byte in
# search and pane, LegacyCharset, Shift_JIS, windows-1254, and the "Default Local Charset" box.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
start_display && start_session_bus && start_accessibility_bus
export LOCPATH="$X11_TMP/locales" tree="$X11_TMP/tree"
mkdir -p "$LOCPATH" "$tree"
for locale in es_ES ja_JP tr_TR; do
    localedef -i $locale -f UTF-8 "$LOCPATH/$locale.UTF-8" 2>/dev/null || { echo "skipped: no $locale locale"; exit 0; }
done
unset LC_ALL LC_CTYPE LANGUAGE

# search LOCALE KEYWORD FOUND OF BOX [SETTING]: the summary and the box's charset.
search() {
    [ -z "${pid:-}" ] || { kill "$pid" && wait "$pid" 2>/dev/null || true; }
    fresh_config
    mkdir "$XDG_CONFIG_HOME/Norvane" && printf '[General]\n%s\n' "${6:-}" >"$XDG_CONFIG_HOME/Norvane/Lintra.conf"
    LANG=$1 "$lintra" "$tree" &
    pid=$!
    X11_PIDS+=($pid)
    "${WINDOW_DRIVER[@]}" "$pid" wait
    "${WINDOW_DRIVER[@]}" "$pid" type "Keyword(s)" "$2"
    "${WINDOW_DRIVER[@]}" "$pid" press "Full Text Search"
    wait_for_shown_text "$pid" "status bar: $3 of the $4 searched files contain(s) the given keyword(s)." \
        >/dev/null || fail "$1: $2 not found in $3 of $4 files"
    shows "Default Local Charset" "$5"
}
shows() {
    grep -qF -- "$2" <<<"$("${WINDOW_DRIVER[@]}" "$pid" value "$1")" || fail "$1 does not show \"$2\""
}

echo 'el archivo nuevo' >"$tree/uno.txt"
echo 'los archivos viejos' >"$tree/dos.txt"
{ seq -f 'line %g of an old log' 9000; printf 'el a\xf1o pasado\n'; } >"$tree/viejo.log"
search es_ES.UTF-8 archivo 1 3 windows-1252
search es_ES.UTF-8 año 1 3 windows-1252
xdotool windowfocus --sync "$(wait_for_window "$MAIN_TITLE")" key Down
sleep 1
shows "File Content" "el año pasado"
printf '\xed\xcf\xd3\xcb\xd7\xc1\n' >"$tree/ruso.txt" # KOI8-R
search es_ES.UTF-8 Москва 1 4 KOI8-R LegacyCharset=KOI8-R
rm "$tree"/*
printf '\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\n' >"$tree/nihongo.txt" # Shift_JIS
search ja_JP.UTF-8 日本語 1 1 Shift_JIS
printf '\xdDstanbul\x27da \xfd\xfe\xfdk\n' >"$tree/turkce.txt" # windows-1254
search tr_TR.UTF-8 ışık 1 2 windows-1254
echo "1 passed, 0 failed"
