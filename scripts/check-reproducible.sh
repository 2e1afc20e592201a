#!/usr/bin/env bash
# Builds the shipped 32-bit program twice, from scratch, in two folders at
# different paths (build/repro-a and build/repro-b), prints the sha256sum lines
# of Nevrolt.exe and SkinH_EL.dll of both builds and exits 1 unless they are the
# same bytes. Needs what scripts/install-deps.sh installs. make test runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

# The last commit's time for every tool that writes a date; without git, a fixed
# one (1980-01-01, the earliest a zip entry can hold).
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=315532800
  if top=$(git rev-parse --show-toplevel 2>/dev/null) && [ "$top" -ef . ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  fi
fi
export SOURCE_DATE_EPOCH

# build FOLDER: a clean build of the win32 preset's configuration in FOLDER,
# only Nevrolt.exe and what it embeds (the skin engine and the skins).
build() {
  local dir=$1
  rm -rf "$dir"
  mkdir -p "$dir"
  if ! { cmake --preset win32 -B "$dir" && cmake --build "$dir" --target Nevrolt -j2; } >"$dir/build.log" 2>&1; then
    tail -n 20 "$dir/build.log" >&2
    echo "check-reproducible: the build in $dir failed, see $dir/build.log" >&2
    exit 1
  fi
}

files=(Nevrolt.exe resources/skin_engine/SkinH_EL.dll)
build build/repro-a
build build/repro-b
differ=0
for file in "${files[@]}"; do
  for dir in build/repro-a build/repro-b; do
    [ -f "$dir/$file" ] || { echo "check-reproducible: $dir/$file was not built" >&2; exit 1; }
    sha256sum "$dir/$file"
  done
  if ! cmp -s "build/repro-a/$file" "build/repro-b/$file"; then
    echo "check-reproducible: $file differs between the two builds (offset, byte a, byte b in octal):" >&2
    cmp -l "build/repro-a/$file" "build/repro-b/$file" | head -n 10 >&2 || true
    differ=1
  fi
done
if [ $differ -ne 0 ]; then
  echo "check-reproducible: the build is not reproducible" >&2
  exit 1
fi
echo "check-reproducible: both builds are identical"
