#!/usr/bin/env bash
# What the desktop reads of Lintra (and the images in the binary), as installed by cmake --install into a
# temporary prefix: a valid desktop entry that starts the installed binary
# and never becomes the desktop's handler for folders (the file managers'
# own entries offer it there), a valid AppStream description that names
# that entry, and an icon of each size in the hicolor theme, each a picture
# of the size its folder says.
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
! grep -q '^MimeType=.*inode/directory' "$entry" || fail "the entry claims folders"
# With only this prefix's entries, as the desktop's cache holds them, xdg-open
# has no handler for folders; Lintra never is one.
update-desktop-database "$prefix/share/applications"
mkdir -p "$prefix/empty"
handler=$(env -u XDG_CURRENT_DESKTOP -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID -u DESKTOP_SESSION \
    XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$prefix/empty" XDG_CONFIG_HOME="$prefix/empty" \
    XDG_CONFIG_DIRS="$prefix/empty" xdg-mime query default inode/directory)
[ -z "$handler" ] || fail "the folder handler is '$handler'"
for file in kio/servicemenus/lintra-search-folder.desktop nemo/actions/lintra.nemo_action \
    file-manager/actions/lintra-search-folder-action.desktop "lintra/nautilus/Search with Lintra"; do
    grep -q '^Exec=lintra %[fF]$\|^exec lintra -- ' "$prefix/share/$file" || fail "$file does not start lintra"
done
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
