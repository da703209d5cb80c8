# Sourced by the tools: installs the Debian packages named when any is missing.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}" >&2
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building Lapidor needs, and what its tests need besides (clang-format
# checks the code's layout against .clang-format, groff the manual page).
# Building the Debian package needs dpkg-dev (dpkg-shlibdeps, without which
# the package quietly ships no Depends) and file (which picks out the
# binaries for it); checking it needs lintian and devscripts
# (hardening-check). The accessibility test reads Lapidor through AT-SPI
# (at-spi2-core, python3-pyatspi) on a virtual display (xvfb) in a D-Bus
# session of its own (dbus-x11 for dbus-launch).
build_packages=(cmake ninja-build g++ qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-dejavu-core)
test_packages=(desktop-file-utils appstream dpkg-dev file clang-format groff-base lintian devscripts
               at-spi2-core python3-pyatspi dbus-x11 xvfb)

# What the Windows build of the core needs: a cross compiler, and wine to run its tests.
windows_packages=(g++-mingw-w64-x86-64-posix wine64)

# What running Lapidor.exe in a real window under wine needs: a display
# server with a window manager, a way to drive it, and a screenshot.
windows_smoke_packages=(xvfb openbox xdotool wmctrl imagemagick)

# What building Qt for Windows from Debian's own source needs besides: the
# host Qt's tools (moc, rcc, uic) and dpkg-source to unpack the source.
qt_windows_packages=(qt6-base-dev-tools dpkg-dev xz-utils)
