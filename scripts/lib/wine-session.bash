# SPDX-License-Identifier: MIT
# Sourced by the scripts that run the Windows build: a throw-away 64-bit Wine prefix with the
# fonts of Windows' dialogs, on an X server of its own.
#
#   wine_session_start DIR   makes the prefix DIR/prefix and starts Xvfb; sets $wine (the Wine
#                            loader), WINEPREFIX and DISPLAY. Returns 2, having said why, when
#                            Wine cannot run here.
#   wine_session_end         ends the prefix's programs and the X server (for an EXIT trap).
#   windows_path PATH        PATH as a Windows program sees it (Z:\...).

wine=""
wine_xvfb_pid=""

wine_session_start() {
    local dir=$1 candidate
    mkdir -p "$dir"
    for candidate in wine64 /usr/lib/wine/wine64 wine; do
        if command -v "$candidate" >/dev/null 2>&1; then
            wine=$(command -v "$candidate")
            break
        fi
    done
    if [ -z "$wine" ] || ! command -v wineboot >/dev/null 2>&1; then
        echo "Wine is not installed (no wine64 or wineboot)"
        return 2
    fi
    # No Mono, no Gecko; and no debugger for a program that crashes (it would wait for one
    # forever), so that the crash ends it with an exit status.
    export WINEPREFIX="$dir/prefix" WINEARCH=win64 WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
    unset WAYLAND_DISPLAY

    # The windows go to a display of our own, whatever display the caller has: Xvfb picks a free
    # number and writes it to descriptor 3 once it accepts connections.
    : >"$dir/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    wine_xvfb_pid=$!
    local i
    for i in $(seq 200); do
        [ -s "$dir/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$dir/display" ]; then
        echo "Xvfb did not start:"
        cat "$dir/xvfb.log"
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$dir/display")"

    # Without 32-bit Wine, wineboot complains about syswow64 and fails, yet the 64-bit prefix is
    # complete: what counts is that the registry was written.
    wineboot --init >"$dir/wineboot.log" 2>&1 || true
    wineserver -w
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Wine cannot run here (wineboot --init made no prefix):"
        tail -5 "$dir/wineboot.log"
        return 2
    fi
    # A new prefix has no Tahoma, the font of Windows' dialogs, so Qt's dialog font would fall
    # back to a serif face. Wine's own fonts (fonts-wine) count only in the prefix's Fonts folder.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # Font smoothing as a new Windows 10 or 11 has it (ClearType). A new prefix has it off, and
    # then Qt draws Tahoma's small sizes through a path of Wine's that cuts off what reaches past
    # a letter's advance: the hook of every "f" ("If" looks like "It").
    cat >"$dir/smoothing.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Control Panel\Desktop]
"FontSmoothing"="2"
"FontSmoothingType"=dword:00000002
"FontSmoothingOrientation"=dword:00000001
REG
    "$wine" reg import "$(windows_path "$dir/smoothing.reg")" >/dev/null 2>&1
    wineserver -w
}

wine_session_end() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$wine_xvfb_pid" ]; then
        kill "$wine_xvfb_pid" 2>/dev/null || true
        wait "$wine_xvfb_pid" 2>/dev/null || true
    fi
}

windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}
