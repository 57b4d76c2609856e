# SPDX-License-Identifier: MIT
# Sourced by the scripts that build for Windows.
#
#   windows_configure DIR ARG...   configures the build folder DIR for 64-bit Windows with
#                                  MinGW-w64 and the Qt of scripts/build-windows-qt (built on
#                                  first use, then reused), with the further cmake ARGs.

windows_configure() {
    local dir=$1 root qt_prefix toolchain
    shift
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
    qt_prefix=$("$root/scripts/build-windows-qt")
    toolchain="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake"
    # CMake reads a toolchain file only when it first configures a folder, so a folder that was
    # configured with another one (another Qt, or none) starts afresh.
    if [ -f "$dir/CMakeCache.txt" ] &&
        ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$dir/CMakeCache.txt"; then
        rm -rf "$dir"
    fi
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DORVENDEL_BUILD_GUI=ON "$@" >/dev/null
}
