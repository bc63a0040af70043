#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quarnel-cli eig against energies worked out by hand for the example models.
set -u
cli=$1
examples=$2
failures=0
checks=0

# compare "<cli args>" "<expected energies, highest first>"
compare() {
  local args=$1 expected=$2
  local got
  got=$("$cli" $args | awk 'NR > 1 { printf "%s ", $1 }')
  if ! awk -v got="$got" -v want="$expected" 'BEGIN {
        n = split(got, g, " "); m = split(want, w, " ");
        if (n != m) exit 1;
        for (i = 1; i <= n; i++) { d = g[i] - w[i]; if (d < 0) d = -d; if (d > 1e-9) exit 1 }
      }'; then
    echo "FAIL: eig $args gave '$got', expected '$expected'"
    failures=$((failures + 1))
  fi
  checks=$((checks + 1))
}

pi=3.14159265358979323846
for n in 0 1 3 5 7 10 13; do
  # Chain: E = -1 - 2 cos(pi k).
  e=$(awk -v k="$n" -v pi=$pi 'BEGIN { printf "%.15g", -1 - 2 * cos(pi * k / 10) }')
  compare "eig $examples/chain_s.qrg $n 0 0 10" "$e"
  # Square lattice: E = -2 cos(pi kx) - 2 cos(pi ky), with ky = 2 kx.
  e=$(awk -v k="$n" -v pi=$pi 'BEGIN { printf "%.15g", -2 * cos(pi * k / 20) - 2 * cos(pi * 2 * k / 20) }')
  compare "eig $examples/square_s.qrg $n $((2 * n)) 0 20" "$e"
  # Copper-oxygen plane: the O levels -5.1 and the pair -4.3 +- sqrt(0.64 + 6.76 (sx^2 + sy^2)),
  # sx = sin(pi kx / 2), sy = sin(pi ky / 2), with kx = n/10, ky = 3/10.
  e=$(awk -v k="$n" -v pi=$pi 'BEGIN {
        sx = sin(pi * k / 20); sy = sin(pi * 3 / 20);
        r = sqrt(0.64 + 6.76 * (sx * sx + sy * sy));
        printf "%.15g %.15g %.15g", -4.3 + r, -5.1, -4.3 - r }')
  compare "eig $examples/square_dp.qrg $n 3 0 10" "$e"
  # Form-1 dimer chain: -1.25 +- sqrt(0.0625 + 4 cos^2(pi k / 2)).
  e=$(awk -v k="$n" -v pi=$pi 'BEGIN {
        c = cos(pi * k / 20); r = sqrt(0.0625 + 4 * c * c);
        printf "%.15g %.15g", -1.25 + r, -1.25 - r }')
  compare "eig $examples/dimer_chain.qre $n 0 0 10" "$e"
done

# Weights of every band sum to 1; --complex prints a pair per orbital.
"$cli" eig "$examples/square_dp.qrg" 3 5 0 10 | awk 'NR > 1 { s = $2 + $3 + $4; if (s < 0.999999 || s > 1.000001) exit 1 }' ||
  { echo "FAIL: weights do not sum to 1"; failures=$((failures + 1)); }
fields=$("$cli" eig "$examples/square_dp.qrg" 3 5 0 10 --complex | awk 'NR == 2 { print NF }')
[ "$fields" = 7 ] || { echo "FAIL: --complex row has $fields fields"; failures=$((failures + 1)); }
"$cli" eig "$examples/chain_s.qrg" 1 0 >/dev/null 2>&1; [ $? -eq 2 ] ||
  { echo "FAIL: missing k arguments should exit 2"; failures=$((failures + 1)); }

# jacobi names a matrix that is not Hermitian on stderr and still runs it, exit 0.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf 'not Hermitian\n1 2 0 3\n2 4 3 0\n' >"$tmp/n.qmx"
"$cli" jacobi "$tmp/n.qmx" 2>&1 >/dev/null | grep -q "(1,2) = 2+3i but (2,1) = 2+3i" ||
  { echo "FAIL: non-Hermitian matrix not named"; failures=$((failures + 1)); }

echo "$checks k points; $failures failed"
[ "$failures" -eq 0 ]
