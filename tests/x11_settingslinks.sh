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

echo "$passed passed, 0 failed"
