#!/usr/bin/env bash
# Builds the release package OUT_DIR/suitestart-<version>.zip: the launcher folder (the exe, its
# settings packed from assets/settings.ini, the icon, both default skins), the configuration
# tool for Windows and for Linux, the settings in clear text and the release engineers' guide
# with its picture.
#   make-dist.sh WIN_BUILD HOST_BUILD OUT_DIR
# The version is the CMake project's, which the host tree writes to version.txt. With a
# certificate in the environment (SIGN_CERT and SIGN_KEY, or SIGN_PKCS12; see sign.sh) both exes
# are signed before they are zipped. On any failure, or when interrupted (Ctrl+C, SIGTERM), no
# package is left, not even an older one, and no staged or signed copy either.
set -euo pipefail
win=${1:?windows build dir}
host=${2:?host build dir}
out=${3:?output dir}
root=$(cd "$(dirname "$0")/../.." && pwd)
assets="$host/demo-assets"
tool="$host/bin/suitestart-config"

for need in "$host/version.txt" "$win/bin/suitestart.exe" "$win/bin/suitestart-config.exe" \
  "$tool" "$assets/icon.ico" "$assets/sounds/default/main.bmp" "$assets/sounds/wide/main.bmp"; do
  [ -f "$need" ] || { echo "make-dist.sh: $need is missing: run make build first" >&2; exit 1; }
done
version=$(cat "$host/version.txt")
name="suitestart-$version"

mkdir -p "$out"
out=$(cd "$out" && pwd)
zip="$out/$name.zip"
rm -f "$zip"
stage=$(mktemp -d "$out/.stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT
# A signal ends the script through exit, so that the EXIT trap removes the stage.
trap 'exit 130' INT
trap 'exit 143' TERM
pkg="$stage/$name"
mkdir -p "$pkg/launcher/sounds" "$pkg/tools/linux"
cp "$win/bin/suitestart.exe" "$assets/icon.ico" "$pkg/launcher/"
cp -r "$assets/sounds/default" "$assets/sounds/wide" "$pkg/launcher/sounds/"
# The package ships no language files, so none of the skins' language pictures either (the demo
# folder has both): only each skin's own files and its scale folders.
find "$pkg/launcher/sounds" -mindepth 2 -maxdepth 2 -type d ! -name '[1-9]*' -exec rm -rf {} +
cp "$root/assets/settings.ini" "$pkg/settings.ini"
"$tool" pack "$pkg/settings.ini" "$pkg/launcher/tarvix.dll"
cp "$win/bin/suitestart-config.exe" "$pkg/tools/"
cp "$tool" "$pkg/tools/linux/"
cp "$root/docs/release-guide.md" "$pkg/GUIDE.md"
# The guide's picture, beside it as the guide links it.
cp "$root/docs/display-scales.png" "$pkg/"

if [ -n "${SIGN_CERT:-}${SIGN_KEY:-}${SIGN_PKCS12:-}" ]; then
  # sign.sh says why in one line when it fails.
  "$root/tools/dist/sign.sh" "$pkg/launcher/suitestart.exe" "$pkg/tools/suitestart-config.exe"
else
  echo "Unsigned package: to sign it, make dist SIGN_CERT=cert.pem SIGN_KEY=key.pem" \
    "(or SIGN_PKCS12=cert.pfx); see GUIDE.md, \"Signing\""
fi

# The launcher folder must pass its own check before it ships (the suite's programs are the
# only thing it may lack).
if ! "$tool" check "$pkg/launcher" >"$stage/check.txt"; then
  cat "$stage/check.txt" >&2
  echo "make-dist.sh: the launcher folder fails its check" >&2
  exit 1
fi
[ -z "${SIGN_CERT:-}${SIGN_PKCS12:-}" ] || grep '^Signature:' "$stage/check.txt" || true

# Zipped beside the stage and then moved, so that no half-written zip is ever in place.
(cd "$stage" && zip -qrX "$stage/$name.zip" "$name")
mv "$stage/$name.zip" "$zip"
echo "Release package: $zip"
