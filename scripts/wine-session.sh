# Sourced by the scripts that run Nevrolt under Wine: a private X server and
# Wine prefixes kept under build/wine, never the user's ~/.wine.
WINE_ROOT="$PWD/build/wine"
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8  # Wine's ANSI code page follows: 936
XVFB_PID=""

# Wine's own 32-bit loader is a 32-bit Linux program, which some machines (virtual
# machines without 32-bit compatibility) cannot execute. There Wine runs only
# 64-bit Windows programs, through its 64-bit loader, and the 32-bit build is
# built and checked but not run. WINE is the loader every script uses.
if [ -z "${WINE:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    WINE=wine
    WINE_RUNS_32BIT=1
  else
    WINE=/usr/lib/wine/wine64
    WINE_RUNS_32BIT=0
    export WINELOADER=$WINE
  fi
  export WINE WINE_RUNS_32BIT
fi

# The build whose programs this machine can run: the shipped 32-bit one where
# Wine runs 32-bit programs, else the 64-bit one.
runnable_preset() {
  if [ "$WINE_RUNS_32BIT" = 1 ]; then echo win32; else echo win64; fi
}

# windows_path UNIX-PATH: the path as Wine's programs see it.
windows_path() {
  "$WINE" winepath.exe -w "$1" 2>/dev/null
}

start_xvfb() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 300); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  if [ ! -s "$fd_file" ]; then
    rm -f "$fd_file"
    echo "start_xvfb: Xvfb did not start within 30 s" >&2
    return 1
  fi
  export DISPLAY=":$(cat "$fd_file")"
  rm -f "$fd_file"
}

stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
}

# A prefix made once and copied for each run, so that every run starts clean.
# Bump the recipe when the settings below change; concurrent runs wait on a lock.
PRISTINE_RECIPE="3 runs-32-bit=$WINE_RUNS_32BIT"
pristine_prefix() {
  local pristine="$WINE_ROOT/pristine"
  mkdir -p "$WINE_ROOT"
  (
    flock 9
    if [ "$(cat "$pristine/.complete" 2>/dev/null)" != "$PRISTINE_RECIPE" ]; then
      rm -rf "$pristine"
      WINEPREFIX="$pristine" WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot -i >/dev/null 2>&1
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
  WINEPREFIX="$WINE_ROOT/pristine" "$WINE" reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
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

# install_fixtures PRESET: the test programs' ping, tracert, netsh and advpack in
# the system folder of the current prefix.
install_fixtures() {
  local system fixtures="build/$1/tests/wine"
  system=$(system_folder "$1")
  # Wine would run its own builtin programs in place of these files without the override.
  for program in ping tracert netsh; do
    cp "$fixtures/recorder.exe" "$system/$program.exe"
    "$WINE" reg add 'HKCU\Software\Wine\DllOverrides' /v "$program.exe" /d native /f >/dev/null 2>&1
  done
  cp "$fixtures/fake_advpack.dll" "$system/advpack.dll"
}

# set_prefix_dpi DPI: the display scale of the current prefix, as the control
# panel sets it (100 % is 96). Takes effect for the programs started afterwards.
set_prefix_dpi() {
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "$WINE" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
    /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

end_wine_session() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}
