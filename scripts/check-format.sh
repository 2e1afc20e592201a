#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the repository is not laid out as
# .clang-format says (Debian's clang-format). Fix with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
unformatted=()
for file in "${files[@]}"; do
  [ -f "$file" ] || continue
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  printf 'check-format: not formatted: %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
