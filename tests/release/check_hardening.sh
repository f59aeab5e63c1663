#!/usr/bin/env bash
# Fails unless the program file is relocatable (DYNAMIC_BASE), keeps data
# out of execution (NX_COMPAT) and was built with stack protection.
#   check_hardening.sh Movaro.exe
set -euo pipefail
exe=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

characteristics=$(i686-w64-mingw32-objdump -p "$exe" | awk '/^DllCharacteristics/ {print $2}')
[ -n "$characteristics" ] || fail "no DllCharacteristics in the PE header"
value=$((16#$characteristics))
(( value & 0x40 )) || fail "DYNAMIC_BASE is not set (DllCharacteristics $characteristics)"
(( value & 0x100 )) || fail "NX_COMPAT is not set (DllCharacteristics $characteristics)"

# The guard's failure path is linked in only when functions are protected.
grep -q 'stack smashing detected' "$exe" || fail "not built with stack protection"
echo "$exe: DYNAMIC_BASE, NX_COMPAT and stack protection"
