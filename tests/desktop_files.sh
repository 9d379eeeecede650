#!/usr/bin/env bash
# What the desktop reads of Lintra (and the images in the binary), as installed by cmake --install into a
# temporary prefix: a valid desktop entry that starts the installed binary
# and offers it for folders, a valid AppStream description that names that
# entry, and an icon of each size in the hicolor theme, each a picture of
# the size its folder says.
set -euo pipefail
build=$1
passed=0
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
prefix=$(mktemp -d /tmp/lintra-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/lintra" ] || fail "no bin/lintra"
# The images are compiled into a static library: the linker must have kept them.
symbols=$(nm -C "$build/lintra")
grep -q 'qInitResources_lintra()' <<<"$symbols" || fail "the images are not in the binary"
entry="$prefix/share/applications/example.norvane.Lintra.desktop"
metainfo="$prefix/share/metainfo/example.norvane.Lintra.metainfo.xml"
passed=$((passed + 1))

out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate warns: $out"
grep -qx 'Exec=lintra %f' "$entry" || fail "the entry does not start lintra with a folder"
grep -qx 'MimeType=inode/directory;' "$entry" || fail "the entry is not offered for folders"
grep -qx 'Icon=lintra' "$entry" || fail "the entry's icon is not lintra"
passed=$((passed + 1))

out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
grep -q '<launchable type="desktop-id">example.norvane.Lintra.desktop</launchable>' "$metainfo" \
    || fail "the metainfo does not name the desktop entry"
passed=$((passed + 1))

for size in 16 22 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/lintra.png"
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    [ "$(convert "$icon" -format '%wx%h' info:)" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
    [ "$(convert "$icon" -format '%k' info:)" -ge 8 ] || fail "$icon shows no picture"
done
passed=$((passed + 1))

echo "$passed passed, 0 failed"
