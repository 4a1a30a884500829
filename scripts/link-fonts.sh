#!/usr/bin/env bash
# Links the CJK font to the UI fonts of the current Wine prefix, as Windows does on every locale.
# Wine links them only under a Chinese locale and rewrites some of its links whenever a process
# starts under another code page than the last one, so this runs again after such a start.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
for face in "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Tahoma Bold" "Microsoft Sans Serif" "Segoe UI"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
done
