#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence identifier at the top of every source file (after a #! line), leaving the
# rest of the file as it is; with --check only lists the files that lack it and fails if any do.
# Use: tools/spdx_headers.sh [--check]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
id="SPDX-License-Identifier: GPL-3.0-or-later"
check=0
[ "${1:-}" = "--check" ] && check=1

missing=0
while IFS= read -r -d '' file; do
  # The identifier belongs in the first lines; one further down (a test's text) does not count.
  head -n 3 "$file" | grep -q "$id" && continue
  if [ "$check" -eq 1 ]; then
    echo "${file#"$root"/}"
    missing=1
    continue
  fi
  case "$file" in
    *.cpp | *.h) comment="// $id" ;;
    *) comment="# $id" ;;
  esac
  tmp=$(mktemp "$file.XXXXXX")
  if head -n 1 "$file" | grep -q '^#!'; then
    { head -n 1 "$file"; echo "$comment"; tail -n +2 "$file"; } >"$tmp"
  else
    { echo "$comment"; cat "$file"; } >"$tmp"
  fi
  chmod --reference="$file" "$tmp"
  mv "$tmp" "$file"
done < <(find "$root/src" "$root/tests" "$root/bench" "$root/fuzz" "$root/tools" "$root/scripts" \
           -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' \
           -o -name CMakeLists.txt -o -path "$root/scripts/*" \) -print0 | sort -z)
if [ "$check" -eq 1 ] && [ "$missing" -eq 1 ]; then
  echo "spdx_headers: the files above lack '$id' (run tools/spdx_headers.sh)" >&2
  exit 1
fi
exit 0
