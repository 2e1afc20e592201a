# Sourced by the scripts that run Nevrolt under Wine: a private X server and
# Wine prefixes kept under build/wine, never the user's ~/.wine.
WINE_ROOT="$PWD/build/wine"
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8  # Wine's ANSI code page follows: 936
XVFB_PID=""

start_xvfb() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 300); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(cat "$fd_file")"
  rm -f "$fd_file"
}

stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
}

# A prefix made once and copied for each run, so that every run starts clean.
pristine_prefix() {
  local pristine="$WINE_ROOT/pristine"
  if [ ! -f "$pristine/.complete" ]; then
    rm -rf "$pristine"
    mkdir -p "$WINE_ROOT"
    WINEPREFIX="$pristine" WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    # Without a window manager Wine draws the frames itself; no crash dialog may wait for a click.
    WINEPREFIX="$pristine" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    WINEPREFIX="$pristine" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    WINEPREFIX="$pristine" wineserver -w
    touch "$pristine/.complete"
  fi
  echo "$pristine"
}

# fresh_prefix DIR: a clean copy of the pristine prefix at DIR.
fresh_prefix() {
  local pristine
  pristine=$(pristine_prefix)
  rm -rf "$1"
  cp -a "$pristine" "$1"
}

# The folder in which a program of the given build sees its "system32".
system_folder() {
  case "$1" in
    win32) echo "$WINEPREFIX/drive_c/windows/syswow64" ;;
    *) echo "$WINEPREFIX/drive_c/windows/system32" ;;
  esac
}

end_wine_session() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}
