#!/usr/bin/env bash
# Fails when a program's image lacks DEP (NX_COMPAT, 0x100) or ASLR (DYNAMIC_BASE, 0x40): with
# either gone, a planted library or a crafted input would find the tool easier to take over.
set -u
status=0
for exe in "$@"; do
    flags=$("${OBJDUMP:-i686-w64-mingw32-objdump}" -p "$exe" | sed -n 's/^DllCharacteristics\s*//p')
    [ -n "$flags" ] || { echo "no DllCharacteristics read from $exe"; status=1; continue; }
    for bit in 0x40 0x100; do
        if (( (16#$flags & bit) == 0 )); then
            echo "$(basename "$exe"): DllCharacteristics $flags lacks $bit"
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "$# programs keep DEP and ASLR"
exit $status
