#!/usr/bin/env bash
# The Debian package as a user gets it: scripts/package builds it, lintian
# finds neither error nor warning in it, dpkg installs it system-wide (apt-get pulls in the Qt libraries it depends on),
# the installed /usr/bin/lintra starts on a private display and shows its
# window with its icon, and removing the package takes every file away again.
# Installs system-wide: run by .ci/run as root, not by scripts/test. Refuses
# to touch a lintra package that was installed before.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
[ "$(id -u)" -eq 0 ] || { echo "package_check.sh installs a package: run it as root" >&2; exit 1; }
if dpkg-query -W -f='${Status}' lintra 2>/dev/null | grep -q "install ok installed"; then
    echo "a lintra package is installed already; package_check.sh leaves it alone" >&2
    exit 1
fi
ensure_packages $TEST_PACKAGES
. tests/x11lib.sh
bash scripts/package >"$X11_TMP/package.log" 2>&1 || { cat "$X11_TMP/package.log"; fail "scripts/package failed"; }
deb=$(tail -n1 "$X11_TMP/package.log")
[ -f "$deb" ] || fail "no package: $deb"
passed=0
remove_package() {
    dpkg-query -W lintra >/dev/null 2>&1 && DEBIAN_FRONTEND=noninteractive dpkg --purge lintra >/dev/null
    return 0
}
trap 'stop_display; remove_package; rm -rf "$X11_TMP"' EXIT

# What Debian's checker says, and what it recommends beside the libraries.
lintian --allow-root --fail-on error,warning "$deb" || fail "lintian: $(lintian --allow-root "$deb" 2>&1)"
dpkg-deb --field "$deb" Recommends | grep -qw qttranslations5-l10n || fail "qttranslations5-l10n not recommended"
passed=$((passed + 1))

# Installs, with the dependencies the package names.
DEBIAN_FRONTEND=noninteractive dpkg -i "$deb" >/dev/null 2>&1 \
    || DEBIAN_FRONTEND=noninteractive apt-get -f install -y --no-install-recommends -qq >/dev/null
dpkg-query -W -f='${Status}' lintra | grep -q "install ok installed" || fail "the package did not install"
for file in /usr/bin/lintra /usr/share/applications/example.norvane.Lintra.desktop \
    /usr/share/man/man1/lintra.1.gz /usr/share/doc/lintra/copyright /usr/share/doc/lintra/changelog.gz \
    /usr/share/metainfo/example.norvane.Lintra.metainfo.xml /usr/share/icons/hicolor/48x48/apps/lintra.png; do
    [ -f "$file" ] || fail "$file not installed"
done
missing=$(ldd /usr/bin/lintra | grep 'not found' || true)
[ -z "$missing" ] || fail "libraries missing: $missing"
desktop-file-validate /usr/share/applications/example.norvane.Lintra.desktop || fail "installed entry invalid"
passed=$((passed + 1))

# The installed program starts, from the desktop entry's command with a
# folder, and shows its window with its icon.
start_display tray
fresh_config
folder="$X11_TMP/Folder to search"
mkdir -p "$folder"
(cd / && exec /usr/bin/lintra "$folder") &
pid=$!
window=$(wait_for_window "$MAIN_TITLE") || fail "the installed lintra shows no window"
has_icon_property "$window" || fail "the installed lintra's window has no icon"
[ "$(directory_box_text "$window")" = "$folder" ] || fail "the folder is not in the directory box"
press_exit_button "$window"
wait_for_exit "$pid" || fail "the installed lintra did not end through Exit"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
passed=$((passed + 1))

# Removing the package leaves none of its files behind.
files=$(dpkg-query -L lintra | while read -r f; do [ -f "$f" ] && echo "$f"; done)
remove_package
# One name a line: a name may hold blanks ("Search with Lintra").
while IFS= read -r file; do
    [ ! -e "$file" ] || fail "$file left after removal"
done <<<"$files"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
