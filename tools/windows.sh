# Sourced by the Windows tools: where the static Qt for Windows lives, how
# the project is configured against it, and the wine prefix programs run in.

qt_windows_version=6.4.2
qt_windows_prefix=${XDG_CACHE_HOME:-$HOME/.cache}/lapidor/qt-$qt_windows_version-mingw64

# Whether tools/build-qt-windows has built it.
qt_windows_ready() {
    [ -f "$qt_windows_prefix/.complete" ]
}

# configure_windows_gui <build folder> [cmake options...]
configure_windows_gui() {
    local build=$1
    shift
    cmake -S . -B "$build" -G Ninja -Wno-dev --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_FIND_ROOT_PATH="$qt_windows_prefix" -DCMAKE_PREFIX_PATH="$qt_windows_prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "$@" >/dev/null
}

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

# start_wine <build folder>: the wine prefix inside the build folder (the
# one cmake/mingw-w64.cmake runs tests in), made on first use, with its
# services started now, away from any test's output; they stop when the
# calling script ends. Wine passes no QT_ variable on to Windows programs,
# so the font folder of the offscreen platform the tests run on (its font
# database reads font files from one folder, and Windows has none of its
# own there) is set in the prefix's own environment: DejaVu Sans stands in
# for Tahoma, as on Linux.
start_wine() {
    export WINEPREFIX="$PWD/$1/wine" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot --init </dev/null >/dev/null 2>&1
    "$wine" reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d 'Z:\usr\share\fonts\truetype\dejavu' /f >/dev/null 2>&1
    # A new prefix goes on setting itself up after wineboot returns; a Qt
    # program started meanwhile can wait 15 s for its desktop, so all of
    # that ends before the server that the tests share starts.
    "$wineserver" -w
    "$wineserver" -p </dev/null >/dev/null 2>&1 || true
    trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
    # The services that ended with the set-up start again here: started by
    # the first test instead, they would hold its output open for good.
    "$wine" wineboot </dev/null >/dev/null 2>&1
}
