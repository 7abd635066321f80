#!/usr/bin/env bash
# Starts the launcher of a demo folder under Wine: in the current display when there is one,
# otherwise under Xvfb, saving a screenshot of the screen as DEMO/SHOT (screenshot.png).
#   run-demo.sh DEMO_DIR WINE_SESSION_DIR [SHOT]
# DPI=120, 144, 192, ... in the environment shows it at that display scale (Wine has one DPI for
# every monitor, read when its server starts); 96 by default. UILANG=de (ja, ar, de-AT, ...) shows
# it to a user of that language: Wine takes the user's language from LANG, read when its server
# starts too. Headless, xcompmgr composes the screen, so that a halo blends as on a composing
# desktop.
set -euo pipefail
if [ -n "${UILANG:-}" ]; then
  case "$UILANG" in
    *-*) locale=${UILANG/-/_} ;;
    de) locale=de_DE ;;
    ja) locale=ja_JP ;;
    ar) locale=ar_EG ;;
    *) locale="${UILANG}_${UILANG^^}" ;;
  esac
  export LANG="$locale.UTF-8" LC_ALL="$locale.UTF-8"
fi
demo=$(cd "${1:?demo dir}" && pwd)
session=${2:?wine session dir}
shot=${3:-screenshot.png}
root=$(cd "$(dirname "$0")/../.." && pwd)
wine_session="$root/cmake/wine-session.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX="$(mkdir -p "$session" && cd "$session" && pwd)/prefix"
  export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
  cd "$demo" && exec wine ./suitestart.exe
fi

"$wine_session" start "$session" >/dev/null
trap '"$wine_session" stop "$session"' EXIT
eval "$("$wine_session" env "$session")"
xcompmgr >/dev/null 2>&1 &
compositor=$!
trap 'kill "$compositor" 2>/dev/null; "$wine_session" stop "$session"' EXIT
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${DPI:-96}" /f >/dev/null 2>&1
wineserver -k
wineserver -w
(cd "$demo" && wine ./suitestart.exe) &
launcher=$!
# Waits for the launcher's window to be mapped, then for its first paint to settle.
for _ in $(seq 1 100); do
  xdotool search --onlyvisible --class suitestart.exe >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
import -window root "$demo/$shot"
echo "Screenshot: $demo/$shot"
kill "$launcher" >/dev/null 2>&1 || true
