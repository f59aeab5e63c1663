#!/usr/bin/env bash
# Checks what a user receives: a 32-bit GUI program that imports nothing but
# Windows' own DLLs and carries its manifest, version block, icon group and
# both pictures.   check_program_file.sh Movaro.exe
set -euo pipefail
exe=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

headers=$(i686-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 (i386) file"
grep -Eq 'Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI program"

system_dlls='^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|OLE32|MSVCRT|ADVAPI32|SHELL32|SHLWAPI)\.DLL$'
while read -r dll; do
  [[ ${dll^^} =~ $system_dlls ]] || fail "imports $dll"
done < <(sed -n 's/.*DLL Name: //p' <<<"$headers")

resources=$(wrestool -l "$exe")
expect_resource() { grep -q -- "$1" <<<"$resources" || fail "no $2"; }
expect_resource "--type=24 --name=1 " "manifest"
expect_resource "--type=16 --name=1 " "version block"
expect_resource "--type=14 --name='DEFAULT_ICON'" "icon group DEFAULT_ICON"
expect_resource "--type=10 --name=101 " "JPEG picture"
expect_resource "--type=10 --name=102 " "PNG picture"
[ "$(grep -c -- '--type=3 ' <<<"$resources")" -eq 13 ] || fail "the icon group needs 13 images"

manifest=$(wrestool -x --raw --type=24 --name=1 "$exe")
grep -q 'Microsoft.Windows.Common-Controls' <<<"$manifest" || fail "manifest lacks common controls 6"
grep -q 'version="6.0.0.0"' <<<"$manifest" || fail "manifest asks for another version"
if grep -q 'requestedExecutionLevel' <<<"$manifest"; then fail "manifest declares a level"; fi
echo "$exe: PE32 GUI, system imports only, all resources present"
