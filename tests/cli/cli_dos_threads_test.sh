#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quarnel-cli dos writes the same bytes whatever the number of threads.
set -u
cli=$1
examples=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
checks=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for model in square_dp.qrg dimer_chain.qre; do
  # Grid 14 has 3375 points, more than one block of work.
  args=(dos "$examples/$model" --grid 14 --bins 200 --smooth 1)
  "$cli" "${args[@]}" --threads 1 > "$tmp/one.csv" || fail "$model: threads 1"
  [ "$(grep -vc '^#' "$tmp/one.csv")" -eq 202 ] || fail "$model: rows"
  for t in 2 3 8; do
    checks=$((checks + 1))
    "$cli" "${args[@]}" --threads "$t" > "$tmp/many.csv" || fail "$model: threads $t"
    cmp -s "$tmp/one.csv" "$tmp/many.csv" || fail "$model: --threads $t differs from one thread"
  done
  checks=$((checks + 1))
  "$cli" "${args[@]}" > "$tmp/default.csv"
  cmp -s "$tmp/one.csv" "$tmp/default.csv" || fail "$model: the default thread count differs"
done

# A thread count below 1 or no number is a usage error, with nothing on standard output.
for bad in 0 -2 x; do
  checks=$((checks + 1))
  "$cli" dos "$examples/square_s.qrg" --threads "$bad" > "$tmp/out" 2> "$tmp/err"
  status=$?
  [ $status -eq 2 ] || fail "--threads $bad: exit status $status"
  [ ! -s "$tmp/out" ] || fail "--threads $bad: output written"
  grep -q -- "--threads" "$tmp/err" || fail "--threads $bad: no message"
done

echo "cli_dos_threads: $((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
