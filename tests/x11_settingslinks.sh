#!/usr/bin/env bash
# Lintra.conf a link, as people make it to keep no history (ln -s /dev/null):
# onto a device node, a FIFO or a folder the program says once that it keeps
# no settings, and after a run ended by SIGTERM (which saves) the node is
# what it was and nothing was written anywhere; onto a regular file the settings
# go into that file, replaced whole, and the link stays a link.
set -euo pipefail
lintra=$1
. "$(dirname "$0")/x11lib.sh"
passed=0

start_display
start_session_bus
start_accessibility_bus

# make_target KIND PATH: the link's target; fails where it cannot be made.
make_target() {
    case $1 in
    device) mknod "$2" c 1 3 2>/dev/null ;; # /dev/null's numbers, in a folder of our own
    fifo) mkfifo "$2" ;;
    folder) mkdir "$2" ;;
    file) printf '[General]\nHowOftenCheckUpdatesInDays=5\n' >"$2" ;;
    esac
}

for kind in device fifo folder file; do
    fresh_config
    conf="$XDG_CONFIG_HOME/Norvane/Lintra.conf"
    target="$XDG_CONFIG_HOME/elsewhere/$kind"
    mkdir -p "$(dirname "$conf")" "$(dirname "$target")"
    if ! make_target "$kind" "$target"; then
        echo "SKIP $kind: no device node can be made here (mknod needs root)"
        continue
    fi
    ln -s "$target" "$conf"
    before=$(stat -c '%F %t:%T %i' "$target")
    start_lintra
    if [ "$kind" = file ]; then
        sleep 2
    else
        notice=$(wait_for_window "^Settings$") || fail "$kind: no notice"
        shown=$("${WINDOW_DRIVER[@]}" "$lintra_pid" texts)
        grep -qF "label: No settings are kept: $conf is not a regular" <<<"$shown" ||
            fail "$kind: the notice does not say that no settings are kept: $(grep ^label <<<"$shown")"
        press_key "$notice" Return
        wait_until_hidden "$notice" 5 || fail "$kind: the notice stayed"
        sleep 1
    fi
    [ -z "$(xdotool search --onlyvisible --name '^Settings$' 2>/dev/null)" ] || fail "$kind: a (further) notice"
    kill -TERM "$lintra_pid"
    wait_for_exit "$lintra_pid" || fail "$kind: SIGTERM did not end the program"
    [ "$EXIT_STATUS" = 0 ] || fail "$kind: exit status $EXIT_STATUS, expected 0"

    [ -L "$conf" ] || fail "$kind: the link was replaced"
    written=$(cd "$XDG_CONFIG_HOME" && find . -mindepth 1 | sort | tr '\n' ' ')
    [ "$written" = "./Norvane ./Norvane/Lintra.conf ./elsewhere ./elsewhere/$kind " ] ||
        fail "$kind: the settings folder holds $written"
    after=$(stat -c '%F %t:%T %i' "$target")
    if [ "$kind" = file ]; then
        [ "$(stat -c %F "$target")" = "regular file" ] || fail "file: the target became a $(stat -c %F "$target")"
        [ "$after" != "$before" ] || fail "file: written in place, not replaced whole"
        [ "$(setting "$target" HowOftenCheckUpdatesInDays)" = 5 ] || fail "file: the stored interval was not read"
        [ -n "$(setting "$target" size)" ] || fail "file: the window size was not written into the target"
    else
        [ "$after" = "$before" ] || fail "$kind: '$before' became '$after'"
    fi
    passed=$((passed + 1))
done

# A settings file on a nearly full disk (a small tmpfs in a private mount
# namespace): Exit cannot write the new file whole, so the old one stays
# byte for byte, nothing is left beside it, and a box says so once.
full="$X11_TMP/full"
mkdir -p "$full"
{ printf '[General]\nNotes='; head -c 150000 /dev/zero | tr '\0' x; printf '\n'; } >"$X11_TMP/before.conf"
unshare -m --propagation private bash -c '
    mount -t tmpfs -o size=256k tmpfs "$1" || exit 77
    mkdir "$1/Norvane" && cp "$2/before.conf" "$1/Norvane/Lintra.conf"
    cat /dev/zero >"$1/filler" 2>/dev/null
    truncate -s -8K "$1/filler"
    XDG_CONFIG_HOME="$1" "$3" 2>>"$2/lintra.log"
    cmp -s "$1/Norvane/Lintra.conf" "$2/before.conf" && echo kept >"$2/full.result"
    ls -A "$1/Norvane" >>"$2/full.result"' - "$full" "$X11_TMP" "$lintra" &
unshared=$!
if ! window=$(wait_for_window "$MAIN_TITLE"); then
    wait_for_exit "$unshared"
    [ "$EXIT_STATUS" = 77 ] || fail "full disk: main window not shown"
    echo "SKIP full disk: no tmpfs can be mounted in a private namespace here"
else
    press_exit_button "$window"
    box=$(wait_for_window "^Settings$") || fail "full disk: no box says that the settings were not saved"
    press_key "$box" Return
    wait_for_exit "$unshared" || fail "full disk: the program did not end"
    [ "$(head -n1 "$X11_TMP/full.result")" = kept ] || fail "full disk: the settings file was changed"
    [ "$(sed -n 2,\$p "$X11_TMP/full.result")" = Lintra.conf ] || fail "full disk: left $(cat "$X11_TMP/full.result")"
    passed=$((passed + 1))
fi

echo "$passed passed, 0 failed"
