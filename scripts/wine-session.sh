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
# Bump the recipe when the settings below change; concurrent runs wait on a lock.
PRISTINE_RECIPE=3
pristine_prefix() {
  local pristine="$WINE_ROOT/pristine"
  mkdir -p "$WINE_ROOT"
  (
    flock 9
    if [ "$(cat "$pristine/.complete" 2>/dev/null)" != "$PRISTINE_RECIPE" ]; then
      rm -rf "$pristine"
      WINEPREFIX="$pristine" WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
      # Without a window manager Wine draws the frames itself; controls are drawn
      # unthemed, as classic Windows draws a program without common controls 6;
      # no crash dialog may wait for a click.
      # Wine's own TrueType fonts; Marlett draws the caption buttons.
      cp /usr/share/wine/fonts/*.ttf "$pristine/drive_c/windows/Fonts/" 2>/dev/null
      pristine_setting 'HKCU\Software\Wine\X11 Driver' Decorated REG_SZ N
      pristine_setting 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' ThemeActive REG_SZ 0
      pristine_setting 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
      WINEPREFIX="$pristine" wineserver -w
      echo "$PRISTINE_RECIPE" > "$pristine/.complete"
    fi
  ) 9>"$WINE_ROOT/.pristine.lock"
  echo "$pristine"
}

pristine_setting() {
  WINEPREFIX="$WINE_ROOT/pristine" wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
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
