#!/usr/bin/env bash
# Fails, naming each file, when clang-format would change any C++ file of the tree.
# The house style is .clang-format at the root; `clang-format -i <file>` applies it.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
  echo "check-format: clang-format is missing (scripts/install-deps.sh installs it)"
  exit 1
fi
unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z -- '*.cpp' '*.h' '*.hpp' '*.cc')
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "check-format: clang-format would change ${#unformatted[@]} file(s):"
  printf '    %s\n' "${unformatted[@]}"
  exit 1
fi
echo "check-format: every C++ file is formatted"
