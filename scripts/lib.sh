# Shared by scripts/run, scripts/test and scripts/bench: packages and builds.
# Sourced, not run.

RUN_PACKAGES="cmake g++ make qtbase5-dev qtbase5-dev-tools qttools5-dev-tools libqt5network5 libicu-dev"
TEST_PACKAGES="xvfb trayer python3-fusepy fuse3 xdotool x11-utils imagemagick xclip fonts-dejavu-core desktop-file-utils appstream
    python3 clang libclang-rt-14-dev clang-format
    dbus-daemon python3-gi gir1.2-glib-2.0 weston qtwayland5 at-spi2-core python3-pyatspi gir1.2-atspi-2.0
    libsm-dev"
# scripts/package (dpkg-shlibdeps finds the package's dependencies) and the
# checks of what it installs.
PACKAGE_PACKAGES="dpkg-dev file desktop-file-utils appstream"
# The private session and accessibility buses of the tests that read the
# program as a screen reader does, and the stand-in file manager on them.
TEST_PACKAGES="$TEST_PACKAGES dbus-bin python3-dbus"
BENCH_PACKAGES="ripgrep fd-find findutils grep time python3 xvfb"
# Qt's own catalogues (the buttons of message boxes, the standard menus) for
# the program's languages, and a font for the Chinese window.
RUN_PACKAGES="$RUN_PACKAGES qttranslations5-l10n"
TEST_PACKAGES="$TEST_PACKAGES fonts-noto-cjk"
# What the desktop asks for a folder's handler (xdg-mime), and the Debian
# package's own checker.
TEST_PACKAGES="$TEST_PACKAGES xdg-utils"
# Whether the program has closed its connection to the update server (ss).
TEST_PACKAGES="$TEST_PACKAGES iproute2"
PACKAGE_PACKAGES="$PACKAGE_PACKAGES lintian"

# Installs the packages that are missing: as root directly, else through
# sudo, else prints the exact command and fails.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local cmd="apt-get install -y --no-install-recommends ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        DEBIAN_FRONTEND=noninteractive apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $cmd -qq
    elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        echo "Installing with sudo: ${missing[*]}"
        sudo DEBIAN_FRONTEND=noninteractive apt-get update -qq
        sudo DEBIAN_FRONTEND=noninteractive $cmd -qq
    else
        echo "Missing packages. Please run as root:" >&2
        echo "  apt-get update && $cmd" >&2
        return 1
    fi
}

# configure_and_build DIR BUILD_TYPE [extra cmake arguments...]
# Warnings are errors with LINTRA_WERROR=ON (as .ci/run sets) or under CI.
configure_and_build() {
    local dir=$1 type=$2
    shift 2
    local werror=${LINTRA_WERROR:-OFF}
    [ -n "${CI:-}" ] && werror=ON
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DLINTRA_WERROR="$werror" "$@" >"$dir.configure.log" 2>&1 \
        || { cat "$dir.configure.log"; return 1; }
    cmake --build "$dir" -j"$(nproc)"
}

# lupdate_sources TS...: refreshes the given catalogues from the program's
# sources (shared by scripts/update-translations and scripts/check-translations).
LUPDATE_SOURCES="app search text update viewer"
lupdate_sources() {
    # Qt 5's own lupdate: /usr/bin/lupdate may be qtchooser's.
    local lupdate=/usr/lib/qt5/bin/lupdate
    [ -x "$lupdate" ] || lupdate=lupdate
    # The form translates through its own Tr() (app/ui_clintra.cpp).
    "$lupdate" -silent -I . -locations relative -tr-function-alias tr+=Tr $LUPDATE_SOURCES -ts "$@"
}
