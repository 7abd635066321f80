#!/usr/bin/env bash
# The release package as a release engineer gets it: built, unpacked, its listing complete, and
# its launcher folder passing the shipped tool's check in both layouts, and failing it with its
# exe cut short. Leaves the unpacked package in WORK_DIR/unpacked, and a copy of its launcher
# folder and settings in WORK_DIR/Ωμέγα, for the Windows tests under Wine.
#   dist_test.sh WIN_BUILD HOST_BUILD WORK_DIR
set -euo pipefail
win=${1:?windows build dir}
host=${2:?host build dir}
work=${3:?work dir}
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
# Only the certificates given here, not any of the caller's.
unset SIGN_CERT SIGN_KEY SIGN_PKCS12 SIGN_PASS SIGN_PASS_FILE SIGN_TIMESTAMP_URL

rm -rf "$work"
mkdir -p "$work"
"$root/tools/dist/make-dist.sh" "$win" "$host" "$work/out" >/dev/null
version=$(cat "$host/version.txt")
zip="$work/out/suitestart-$version.zip"
[ -f "$zip" ] || fail "no $zip"

# Everything but the skins by name; the skins' 31 files each are the check's business below.
unzip -Z1 "$zip" | grep -v '/$' | sort >"$work/listing"
grep -v '/launcher/sounds/' "$work/listing" | sed "s|^suitestart-$version/||" >"$work/named"
cat >"$work/expected" <<LIST
GUIDE.md
display-scales.png
launcher/icon.ico
launcher/suitestart.exe
launcher/tarvix.dll
settings.ini
tools/linux/suitestart-config
tools/suitestart-config.exe
LIST
diff -u "$work/expected" "$work/named" || fail "the package's files differ from the list"
# Each skin for 96 DPI and in its 125 %, 150 % and 200 % variant folders, each with its halo.
for skin in default default/125 default/150 default/200 wide wide/125 wide/150 wide/200; do
  count=$(grep -v '/halo\.bmp$' "$work/listing" |
    grep -c "^suitestart-$version/launcher/sounds/$skin/[^/]*\.bmp$" || true)
  [ "$count" = 31 ] || fail "sounds/$skin holds $count bitmaps, not 31"
  grep -qx "suitestart-$version/launcher/sounds/$skin/halo.bmp" "$work/listing" ||
    fail "sounds/$skin has no halo.bmp"
done
[ "$(wc -l <"$work/listing")" = $((8 + 8 * 32)) ] || fail "unexpected files in the package"

unzip -q "$zip" -d "$work/unpacked"
pkg="$work/unpacked/suitestart-$version"
tool="$pkg/tools/linux/suitestart-config"
[ -x "$tool" ] || fail "the Linux tool lost its execute bit"
cmp -s "$pkg/settings.ini" <("$tool" unpack "$pkg/launcher/tarvix.dll") ||
  fail "tarvix.dll is not settings.ini packed"

# The shipped folder starts cleanly in the design layout; only the suite's programs and a
# signature are absent.
"$tool" check "$pkg/launcher" >"$work/check-design.txt" || { cat "$work/check-design.txt"; fail "check (design)"; }
grep -q '^Layout: design (Skin=0)$' "$work/check-design.txt" || fail "not the design layout"
grep -q '^0 errors, 11 warnings' "$work/check-design.txt" || { cat "$work/check-design.txt"; fail "warnings other than the 10 programs and the signature"; }
grep -q "^warning: suitestart.exe is not signed" "$work/check-design.txt" || fail "no warning of the missing signature"

# The wide skin with the alternative layout, packed by the shipped tool as the guide says.
cp -r "$pkg/launcher" "$work/alt"
sed -e 's/^Skin=.*/Skin=1/' -e 's/^ResFolder=.*/ResFolder=wide/' "$pkg/settings.ini" >"$work/alt.ini"
"$tool" pack "$work/alt.ini" "$work/alt/tarvix.dll"
"$tool" check "$work/alt" >"$work/check-alt.txt" || { cat "$work/check-alt.txt"; fail "check (alternative)"; }
grep -q '^Layout: alternative (Skin=1)$' "$work/check-alt.txt" || fail "not the alternative layout"
grep -q '^0 errors, 11 warnings' "$work/check-alt.txt" || { cat "$work/check-alt.txt"; fail "alternative warnings"; }

# The exe cut to 4 KB, as a broken download leaves it: Windows will not start it.
cp -r "$pkg/launcher" "$work/cut"
head -c 4096 "$pkg/launcher/suitestart.exe" >"$work/cut/suitestart.exe"
status=0
"$tool" check "$work/cut" >"$work/check-cut.txt" || status=$?
[ "$status" = 1 ] || { cat "$work/check-cut.txt"; fail "check of a cut exe exits $status, not 1"; }
grep -q "^error: suitestart.exe is damaged (its section .* reaches past the end of the file .*Windows will not start it" \
  "$work/check-cut.txt" || { cat "$work/check-cut.txt"; fail "no error for the cut exe"; }

# The settings as Notepad saves them ("Unicode", UTF-16 LE with its mark), and in UTF-16 BE,
# pack into the same file; without the mark they are refused, and nothing is written.
for encoding in UTF-16LE UTF-16BE; do
  { printf '\xEF\xBB\xBF'; cat "$pkg/settings.ini"; } | iconv -f UTF-8 -t "$encoding" >"$work/$encoding.ini"
  "$tool" pack "$work/$encoding.ini" "$work/$encoding.dll" 2>"$work/$encoding.txt"
  cmp -s "$work/$encoding.dll" "$pkg/launcher/tarvix.dll" || fail "$encoding packs otherwise"
  grep -q "converted from ${encoding/-16/-16 } to UTF-8" "$work/$encoding.txt" || fail "no word of $encoding"
done
iconv -f UTF-8 -t UTF-16LE "$pkg/settings.ini" >"$work/unmarked.ini"
status=0
"$tool" pack "$work/unmarked.ini" "$work/unmarked.dll" 2>"$work/unmarked.txt" || status=$?
[ "$status" = 1 ] && [ ! -e "$work/unmarked.dll" ] || fail "UTF-16 without its mark packed"
grep -q "looks like UTF-16 LE text without a byte-order mark.*save it as UTF-8" "$work/unmarked.txt" ||
  { cat "$work/unmarked.txt"; fail "no reason for UTF-16 without its mark"; }

# For the Windows tool under Wine: a folder named in Greek, outside every ANSI code page.
cp -r "$pkg/launcher" "$work/Ωμέγα"
cp "$pkg/settings.ini" "$work/Ωμέγα/s.ini"
echo "release package suitestart-$version: contents and checks pass"
