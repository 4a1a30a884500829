#!/usr/bin/env bash
# Fails when a program imports a DLL other than the ones every Windows ships.
set -u
allowed='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ole32|oleaut32|msvcrt|ws2_32|version|uxtheme|shlwapi)\.dll$'
status=0
for exe in "$@"; do
    dlls=$("${OBJDUMP:-i686-w64-mingw32-objdump}" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
    [ -n "$dlls" ] || { echo "no imports read from $exe"; status=1; continue; }
    for dll in $dlls; do
        if ! [[ $dll =~ $allowed ]]; then
            echo "$(basename "$exe") imports $dll"
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "imports of $# programs: only DLLs that Windows ships"
exit $status
