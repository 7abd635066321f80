#!/usr/bin/env bash
# The shipped exe's PE headers and import table: ASLR that can relocate, DEP, a small file, and
# imports from system DLLs only, so nothing beside the exe is loaded before WinMain runs.
#   exe_hardening_test.sh EXE [OBJDUMP]
set -uo pipefail
exe=${1:?usage: exe_hardening_test.sh EXE [OBJDUMP]}
objdump=${2:-x86_64-w64-mingw32-objdump}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

[ -f "$exe" ] || { echo "FAIL: no $exe" >&2; exit 1; }
headers=$("$objdump" -p "$exe") || { echo "FAIL: $objdump cannot read $exe" >&2; exit 1; }

# The number on a "Name  value" line of the headers, written in hex with or without 0x.
header_value() {
  local value
  value=$(awk -v key="$1" '$1 == key { print $2; exit }' <<<"$headers")
  [ -n "$value" ] || return 1
  echo $((16#${value#0x}))
}

dll_characteristics=$(header_value DllCharacteristics) || {
  fail "no DllCharacteristics"
  dll_characteristics=0
}
# IMAGE_DLLCHARACTERISTICS_*: the loader's ASLR needs DYNAMIC_BASE, and a 64-bit image gets
# addresses above 4 GiB only with HIGH_ENTROPY_VA as well.
for flag in HIGH_ENTROPY_VA:0x0020 DYNAMIC_BASE:0x0040 NX_COMPAT:0x0100; do
  (( dll_characteristics & ${flag#*:} )) || fail "DllCharacteristics lacks ${flag%%:*}"
done

# ASLR without base relocations is ASLR in name only: the loader cannot move the image and maps
# it at its preferred base (old GNU ld stripped .reloc from exes even with --dynamicbase).
if ! characteristics=$(header_value Characteristics); then
  fail "no Characteristics"
elif (( characteristics & 0x0001 )); then
  fail "the file header says relocations stripped"
fi
reloc_size=$(awk '/Base Relocation Directory/ { print $3; exit }' <<<"$headers")
(( 16#${reloc_size:-0} > 0 )) || fail "the base relocation directory is empty"
"$objdump" -h "$exe" | awk '{ print $2 }' | grep -qx '\.reloc' || fail "no .reloc section"

size=$(stat -c %s "$exe")
(( size <= 1048576 )) || fail "the exe has $size bytes, more than 1 MiB"
# With its icon's 256-pixel image PNG-compressed it fits in half that.
(( size <= 524288 )) || fail "the exe has $size bytes, more than 512 KiB"

# Static imports are resolved before WinMain can restrict the DLL search, from the exe's own
# folder first unless the DLL is a KnownDLL: only those may appear here. shell32, a KnownDLL
# on Windows, is still taken from beside the exe under Wine, so the launcher loads it itself.
allowed='^(kernel32|user32|gdi32|advapi32|msvcrt)\.dll$|^api-ms-win-crt-[a-z0-9-]+\.dll$'
imports=$(awk -F': ' '/DLL Name:/ { print $2 }' <<<"$headers")
[ -n "$imports" ] || fail "no imports found: objdump's output was not understood"
while read -r dll; do
  [ -n "$dll" ] || continue
  lower=${dll,,}
  case "$lower" in
    libstdc++*|libgcc*|libwinpthread*) fail "imports the MinGW runtime DLL $dll" ;;
    *) [[ "$lower" =~ $allowed ]] || fail "imports $dll, not a system DLL of the allow-list" ;;
  esac
done <<<"$imports"

echo "imports:" $imports
echo "DllCharacteristics 0x$(printf %04x "$dll_characteristics"), $size bytes"
[ "$failures" = 0 ] || { echo "$failures hardening check(s) failed for $exe" >&2; exit 1; }
echo "PASS: $exe"
