#!/usr/bin/env bash
# Creates the private Wine prefix inside the build folder once; later runs reuse it.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

stamp="$WINEPREFIX/.pelion-ready-2"
[ -f "$stamp" ] && exit 0

log "creating the Wine prefix in $WINEPREFIX"
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

reg() { wine reg add "$@" /f >/dev/null 2>&1; }
# Report Windows 10, the system the viewer targets (a new prefix says Windows 7).
wine winecfg -v win10 >/dev/null 2>&1 || true
# A crash must fail the test at once instead of waiting in the debugger.
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d ''
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# Without a window manager, closing a managed window takes seconds.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N

# Fonts: Wine's own, plus a Chinese font under the Windows names.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
wqy=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
[ -f "$wqy" ] && cp -f "$wqy" "$fonts/"
for name in "Microsoft YaHei" "微软雅黑" "SimSun" "Microsoft YaHei UI"; do
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ /d "WenQuanYi Micro Hei"
done
reg 'HKCU\Software\Wine\Fonts\Replacements' /v "Segoe UI" /t REG_SZ /d "Tahoma"
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei"
wineserver -w
touch "$stamp"
