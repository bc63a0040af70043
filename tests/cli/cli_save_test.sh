#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quarnel-cli save: every example reads back to the same bytes; exit codes; messages on stderr.
set -u
cli=$1
examples=$2
. "$(dirname "$0")/cli_test_setup.sh"

count=0
for f in "$examples"/*.qrg "$examples"/*.qre; do
  [ -e "$f" ] || continue
  count=$((count + 1))
  "$cli" save "$f" >"$tmp/out" 2>"$tmp/err" || fail "save $f exited $?"
  cmp -s "$f" "$tmp/out" || fail "save $f does not reproduce the file"
  [ -s "$tmp/err" ] && fail "save $f printed: $(cat "$tmp/err")"
done
[ "$count" -ge 2 ] || fail "no examples found in $examples"

# As in the desktop program the extension sets the form and the option counts only for other
# extensions: a form-1 pair line read in form 2 lands in the general tables and their layout.
printf 'h\r\n_alfa a -1\r\n_alfa b -1\r\n_beta a b (ka) -1 1 0\r\n' >"$tmp/m.qre"
"$cli" save "$tmp/m.qre" | grep -q '^_beta      a      b (ka)  -1.000 1   0.000 ' ||
  fail "qre file not read in form 1"
"$cli" -betatyp2 save "$tmp/m.qre" | grep -q '^_beta      a      b (ka)  -1.000 1   0.000 ' ||
  fail "-betatyp2 overrode the extension .qre"
cp "$tmp/m.qre" "$tmp/m.txt"
"$cli" -betatyp2 save "$tmp/m.txt" | grep -q 'bemx= -1.000 bepx=  1.000 dstx=0.500' ||
  fail "-betatyp2 did not choose form 2 for a .txt file"
"$cli" -betatyp1 save "$tmp/m.txt" | grep -q '^_beta      a      b (ka)  -1.000 1   0.000 ' ||
  fail "-betatyp1 did not choose form 1 for a .txt file"

# Line errors go to stderr, the model still to stdout, exit 0.
printf 'h\n_beta a b (kx) 1\n_alfa a -1\n' >"$tmp/bad.qrg"
"$cli" save "$tmp/bad.qrg" >"$tmp/out" 2>"$tmp/err"
[ $? -eq 0 ] || fail "file with a bad line should exit 0"
grep -q '^Line 2: _beta a b (kx) 1$' "$tmp/err" || fail "line message missing: $(cat "$tmp/err")"
grep -q '^_alfa      a' "$tmp/out" || fail "model missing from stdout"

# A file with no model line is read with a word on stderr, exit 0; a file that cannot be read
# says why in the system's words.
printf '\177ELF\002\001\n\000\003>\000@\r\n' >"$tmp/binary.qrg"
"$cli" save "$tmp/binary.qrg" 2>&1 >/dev/null | grep -q "binary.qrg: no model line" ||
  fail "no model line not said"
"$cli" save "$tmp" 2>&1 >/dev/null | grep -q "File access error #[0-9]*: Is a directory" ||
  fail "system reason missing"

"$cli" save "$tmp/none.qrg" >/dev/null 2>"$tmp/err"
[ $? -eq 1 ] || fail "missing file should exit 1"
grep -q "none.qrg: not found" "$tmp/err" || fail "not-found message missing"

"$cli" >/dev/null 2>&1; [ $? -eq 2 ] || fail "no command should exit 2"
"$cli" frobnicate x >/dev/null 2>&1; [ $? -eq 2 ] || fail "unknown command should exit 2"
"$cli" save >/dev/null 2>&1; [ $? -eq 2 ] || fail "save without file should exit 2"

echo "$count examples; $failures failed"
[ "$failures" -eq 0 ]
