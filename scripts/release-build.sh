# Sourced by check-reproducible.sh and dist.sh: the release build of the
# shipped 32-bit program, from scratch, in a folder of its own.

# The last commit's time for every tool that writes a date; without git, a fixed
# one (1980-01-01, the earliest a zip entry can hold).
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=315532800
  if top=$(git rev-parse --show-toplevel 2>/dev/null) && [ "$top" -ef . ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  fi
fi
export SOURCE_DATE_EPOCH

# release_build FOLDER: a clean build of the win32 preset's configuration in
# FOLDER, only Nevrolt.exe and what it embeds (the skin engine and the skins).
release_build() {
  local dir=$1
  rm -rf "$dir"
  mkdir -p "$dir"
  if ! { cmake --preset win32 -B "$dir" && cmake --build "$dir" --target Nevrolt -j2; } >"$dir/build.log" 2>&1; then
    tail -n 20 "$dir/build.log" >&2
    echo "release build: the build in $dir failed, see $dir/build.log" >&2
    exit 1
  fi
}
