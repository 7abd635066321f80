#!/usr/bin/env bash
# One Wine session for a test run: a private Xvfb display and a Wine prefix inside the build tree.
#   wine-session.sh start DIR        starts Xvfb, prepares the prefix, keeps a wineserver running
#   wine-session.sh run DIR EXE ...  runs a Windows program in the session; its exit code is ours
#   wine-session.sh dpi DIR DPI EXE ...
#                                    the same with the session's screen set to DPI meanwhile
#   wine-session.sh lang DIR LOCALE EXE ...
#                                    the same with the user's language LOCALE (de_AT.UTF-8)
#   wine-session.sh composite DIR EXE ...
#                                    the same with xcompmgr compositing the screen meanwhile
#   wine-session.sh env DIR          prints the session's environment as shell assignments
#   wine-session.sh stop DIR         ends the wineserver and Xvfb
set -u
cmd=${1:?usage: wine-session.sh start|run|env|stop DIR [EXE ARGS...]}
dir=${2:?missing session folder}
shift 2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

export WINEPREFIX="$dir/prefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64

# Runs a command with its output going through a file, printed when the command ends. A Wine
# process started on demand meanwhile keeps the error output of the program that started it:
# the desktop's process does, and lives on while any window of the session does. Through a
# file it cannot keep the caller's pipe open, and the caller waiting on it, after the program
# ended.
through_file() {
  local output code
  output=$(mktemp "$dir/output.XXXXXX")
  "$@" >"$output" 2>&1
  code=$?
  cat "$output"
  rm -f "$output"
  return $code
}

session_env() {
  [ -s "$dir/display" ] || { echo "no Wine session in $dir: run 'start' first" >&2; exit 2; }
  export DISPLAY=":$(head -n1 "$dir/display")"
}

case "$cmd" in
  start)
    "$0" stop "$dir" >/dev/null 2>&1
    rm -f "$dir/display"
    # Xvfb picks a free display and writes its number to fd 3.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$dir/display" \
      >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 1 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
    session_env
    # Xvfb first, then the first Wine process: Wine's desktop takes the display once.
    if [ ! -f "$WINEPREFIX/.ss-ready" ]; then
      wineboot -i >"$dir/wineboot.log" 2>&1 || { cat "$dir/wineboot.log"; exit 1; }
      # A crashing program must end, not wait behind Wine's crash dialog.
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >>"$dir/wineboot.log" 2>&1
      # No window manager runs here: unmanaged windows spare Wine its two-second wait for one
      # whenever a captioned window hides.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >>"$dir/wineboot.log" 2>&1
      touch "$WINEPREFIX/.ss-ready"
    fi
    # The server outlives this script: with our output it would hold the test runner's pipe
    # open, and ctest would wait for it forever once the prefix is ready (no wineboot first).
    wineserver -p >/dev/null 2>&1
    wine cmd /c exit 0 >/dev/null 2>&1
    echo "Wine session on DISPLAY=$DISPLAY, prefix $WINEPREFIX"
    ;;
  run)
    session_env
    through_file wine "$@"
    ;;
  dpi)
    # Wine reads its one DPI for every monitor from the user's LogPixels when its server
    # starts: set it, restart the server, run, and set 96 again whatever the program did.
    session_env
    dpi=${1:?missing DPI}
    shift
    set_dpi() {
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
      wineserver -k
      wineserver -w
      wineserver -p >/dev/null 2>&1
      # Wine's own services start again with this first program, holding its output open:
      # started here with none, they keep no test runner waiting (as at the session's start).
      wine cmd /c exit 0 >/dev/null 2>&1
    }
    set_dpi "$dpi"
    through_file wine "$@"
    code=$?
    set_dpi 96
    exit $code
    ;;
  lang)
    # Wine takes the user's language from LANG when its server starts: restart it with the
    # language, run, and restart it as it was.
    session_env
    locale=${1:?missing locale}
    shift
    restart() {
      wineserver -k
      wineserver -w
      wineserver -p >/dev/null 2>&1
      wine cmd /c exit 0 >/dev/null 2>&1
    }
    (export LANG="$locale" LC_ALL="$locale"; restart)
    through_file env LANG="$locale" LC_ALL="$locale" wine "$@"
    code=$?
    restart
    exit $code
    ;;
  composite)
    # Per-pixel alpha blends only while a compositing manager runs; the other tests' screens
    # stay as they are without one.
    session_env
    xcompmgr >"$dir/xcompmgr.log" 2>&1 &
    compositor=$!
    sleep 0.5
    through_file wine "$@"
    code=$?
    kill "$compositor" >/dev/null 2>&1
    wait "$compositor" 2>/dev/null
    exit $code
    ;;
  env)
    session_env
    printf 'export DISPLAY=%q WINEPREFIX=%q WINEDLLOVERRIDES=%q WINEDEBUG=%q WINEARCH=win64\n' \
      "$DISPLAY" "$WINEPREFIX" "$WINEDLLOVERRIDES" "$WINEDEBUG"
    ;;
  stop)
    [ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1
    if [ -f "$dir/xvfb.pid" ]; then
      kill "$(cat "$dir/xvfb.pid")" >/dev/null 2>&1
      rm -f "$dir/xvfb.pid"
    fi
    rm -f "$dir/display"
    ;;
  *)
    echo "unknown command: $cmd" >&2
    exit 2
    ;;
esac
