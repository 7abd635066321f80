#!/usr/bin/env bash
# Assembles the demo launcher folder: the exe, its packed configuration and its icon.
#   make-demo.sh WIN_BUILD HOST_BUILD DEMO_DIR
set -euo pipefail
win=${1:?windows build dir}
host=${2:?host build dir}
demo=${3:?demo dir}
root=$(cd "$(dirname "$0")/../.." && pwd)

mkdir -p "$demo"
cp "$win/bin/suitestart.exe" "$demo/"
"$host/bin/suitestart-config" pack "$root/assets/demo.ini" "$demo/tarvix.dll"
"$root/tools/demo/make-icon.sh" "$demo/icon.ico"
echo "Demo folder: $demo"
