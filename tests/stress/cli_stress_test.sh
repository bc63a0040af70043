#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quarnel-cli under stress: output to a full disk, the largest model through bands and eig, a
# million-line model.
set -u
cli=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# 16 orbitals, every pair coupled in all three directions with hoppings and spin-orbit terms.
awk 'BEGIN {
  printf "sixteen\r\n"
  for (i = 1; i <= 16; i++)
    printf "_alfa o%d -%.3f tok=%d tox=0.5 toy=0.25 bepx=-0.1 bepy=-0.2 bepz=-0.05 mef=%.3f\r\n", i, 0.3 * i, i % 11 + 1, 0.5 + 0.1 * i
  split("x y z", ax, " ")
  for (i = 1; i < 16; i++) for (j = i + 1; j <= 16; j++) for (d = 1; d <= 3; d++) {
    t = sin(i * 1.7 + j * 0.61 + d * 0.29)
    printf "_beta o%d o%d (k%s) bem%s=%.3f bep%s=%.3f dst%s=%.3f sor%s=%.3f soi%s=%.3f\r\n", i, j, substr("abc", d, 1), ax[d], 0.6 * t, ax[d], 0.05 - 0.4 * t, ax[d], ((i + j + d) % 8) / 8, ax[d], 0.02 * cos(i + d * j), ax[d], -0.03 * sin(j + d * i)
  }
}' >"$tmp/full.qrg"

"$cli" save "$tmp/full.qrg" >"$tmp/saved.qrg" 2>"$tmp/err" || fail "save of the full model exited $?"
[ -s "$tmp/err" ] && fail "save of the full model printed: $(head -c 300 "$tmp/err")"
[ "$(grep -c '^_alfa' "$tmp/saved.qrg")" -eq 16 ] || fail "not 16 orbital lines"
[ "$(grep -c '^_beta' "$tmp/saved.qrg")" -eq 360 ] || fail "not 360 pair lines"
"$cli" save "$tmp/saved.qrg" | cmp -s - "$tmp/saved.qrg" || fail "saved model does not save to itself"

# 301 points; the band run's energies equal those of one-point runs at sample points.
{
  echo "G X"
  for t in $(seq 0 300); do echo "$t $((t / 3)) 0 100"; done
} >"$tmp/path.qrk"
"$cli" bands "$tmp/full.qrg" "$tmp/path.qrk" >"$tmp/bands.csv" 2>"$tmp/err" || fail "bands exited $?"
[ "$(grep -vc '^#' "$tmp/bands.csv")" -eq $((1 + 301 * 16)) ] || fail "bands: $(grep -vc '^#' "$tmp/bands.csv") table lines"
for t in 0 37 150 299 300; do
  "$cli" eig "$tmp/full.qrg" "$t" "$((t / 3))" 0 100 >"$tmp/eig" || fail "eig at $t exited $?"
  want=$(tail -n +2 "$tmp/eig" | cut -d' ' -f1)
  got=$(awk -F, -v x="$t" '$1 == x { print $7 }' "$tmp/bands.csv")
  [ "$(echo "$want" | wc -l)" -eq 16 ] || fail "point $t: eig gave no 16 bands"
  [ "$want" = "$got" ] || fail "point $t: bands and eig differ"
done

# A million lines: the model is read, every refused line is reported, nothing hangs.
awk 'BEGIN { printf "million\r\n"; for (k = 1; k < 1000000; k++) printf "_alfa o%d -1\r\n", k }' \
  >"$tmp/million.qrg"
"$cli" save "$tmp/million.qrg" >"$tmp/out" 2>"$tmp/err" || fail "million-line save exited $?"
[ "$(grep -c '^_alfa' "$tmp/out")" -eq 16 ] || fail "million-line model: not 16 orbitals"
[ "$(grep -c '^Line ' "$tmp/err")" -eq 999983 ] || fail "million-line model: line messages"

# Output that cannot be written is an error with a message, for every command.
for args in "save $tmp/full.qrg" "eig $tmp/full.qrg 1 0 0 20" "bands $tmp/full.qrg $tmp/path.qrk" \
  "dos $tmp/full.qrg --grid 5"; do
  # shellcheck disable=SC2086
  "$cli" $args >/dev/full 2>"$tmp/err"
  status=$?
  [ "$status" -eq 1 ] || fail "$args to a full disk exited $status"
  grep -q '^quarnel-cli: standard output: No space left on device$' "$tmp/err" ||
    fail "$args to a full disk: $(cat "$tmp/err")"
done

echo "$failures failed"
[ "$failures" -eq 0 ]
