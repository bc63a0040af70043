#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quarnel-cli bands, dos and map against the closed forms of the example models.
set -euo pipefail
cli=$1
examples=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# The rows without the "#" lines that name the sources.
body() { grep -v '^#' "$1"; }

# A path with a title, a skipped line, a typed label, a point outside the k-point controls'
# ranges (k = 1.5) and a fractional one (k = 0.25).
cat > "$tmp/path.qrk" <<'P'
chain
   0   0   0   20
   5   0   0   0
  10   0   0   20   H
  30   0   0   20
   5   0   0   20
  20   0   0   20
P
"$cli" bands "$examples/chain_s.qrg" "$tmp/path.qrk" > "$tmp/bands.full"
body "$tmp/bands.full" > "$tmp/bands.csv"
# The header names the program, the model, its form, the path and the point count, and comes
# first.
[ "$(head -5 "$tmp/bands.full")" = "# Quarnel $(head -1 "$tmp/bands.full" | cut -d' ' -f3) band structure
# model file: $examples/chain_s.qrg
# model form: 2
# k path: $tmp/path.qrk
# k points: 5" ] || fail "bands comment header"
head -1 "$tmp/bands.full" | grep -Eq '^# Quarnel [0-9]+\.[0-9]+ ' || fail "bands version"
[ "$(grep -c '^#' "$tmp/bands.full")" -eq 5 ] || fail "bands header lines"
head -1 "$tmp/bands.csv" | grep -qx 'point,label,kx,ky,kz,band,energy,s' || fail "bands header"
[ "$(wc -l < "$tmp/bands.csv")" -eq 6 ] || fail "bands rows"
# E = -1 - 2 cos(pi kx), weight 1, labels G, H, none, none, X.
awk -F, 'NR > 1 {
  pi = atan2(0, -1); e = -1 - 2 * cos(pi * $3)
  if ($1 != NR - 2) { print "point " $1; exit 1 }
  if (($7 - e) > 1e-9 || (e - $7) > 1e-9) { print "energy " $0; exit 1 }
  if ($8 != 1) { print "weight " $0; exit 1 }
}' "$tmp/bands.csv" || fail "bands energies"
[ "$(cut -d, -f2 "$tmp/bands.csv" | tr '\n' ' ')" = "label G H   X " ] || fail "bands labels"
[ "$(sed -n 4p "$tmp/bands.csv" | cut -d, -f3)" = "1.5" ] || fail "k outside the ranges"

# A fraction is rounded as before and named on stderr with its line in the file, exit 0.
printf 'chain\n\n0.5 0 0 10\n' > "$tmp/frac.qrk"
"$cli" bands "$examples/chain_s.qrg" "$tmp/frac.qrk" 2>&1 >/dev/null |
  grep -q '^Line 3: 0.5 0 0 10 - .*read as 0 0 0 10$' || fail "fraction not named"

# klist_band input by its extension.
printf 'GAMMA 0 0 0 10 2.0\n      5 0 0 10 2.0\nEND\n' > "$tmp/p.klist_band"
"$cli" bands "$examples/chain_s.qrg" "$tmp/p.klist_band" | body /dev/stdin > "$tmp/kb.csv"
[ "$(sed -n 2p "$tmp/kb.csv" | cut -d, -f1-7)" = "0,GAMMA,0,0,0,1,-3" ] || fail "klist_band"
[ "$(sed -n 3p "$tmp/kb.csv" | cut -d, -f3)" = "0.5" ] || fail "klist_band point 2"

# DOS of the square lattice: 11^3 points, one band; the histogram of the closed form, binned the
# same way (window with 5 % margins, nearest bin).
"$cli" dos "$examples/square_s.qrg" --grid 10 --bins 40 > "$tmp/dos.full"
body "$tmp/dos.full" > "$tmp/dos.csv"
[ "$(grep '^#' "$tmp/dos.full" | tail -n +2)" = "# model file: $examples/square_s.qrg
# model form: 2
# k grid: 11 x 11 x 11 points (n = 10)
# eigenstates: 1331
# energy intervals: 40
# Gauss smoothing: 0" ] || fail "dos comment header"
head -1 "$tmp/dos.csv" | grep -qx 'energy,total,s' || fail "dos header"
[ "$(wc -l < "$tmp/dos.csv")" -eq 42 ] || fail "dos rows"
awk -F, 'BEGIN {
  pi = atan2(0, -1); n = 10; m = 40; lo = 1e9; hi = -1e9
  for (z = 0; z <= n; z++) for (y = 0; y <= n; y++) for (x = 0; x <= n; x++) {
    e[++c] = -2 * cos(pi * x / n) - 2 * cos(pi * y / n); if (e[c] < lo) lo = e[c]; if (e[c] > hi) hi = e[c]
  }
  r = hi - lo; hi += 0.05 * r; lo -= 0.05 * r
  for (q = 1; q <= c; q++) { b = (e[q] - lo) / (hi - lo) * m; h[int(b + 0.5)]++ }
}
NR > 1 {
  p = NR - 2; want = h[p] + 0
  if ($2 != want || $3 != want) { print "bin " p ": " $0 " want " want; bad = 1 }
  if (($1 - (lo + p * (hi - lo) / m))^2 > 1e-18) { print "energy " p; bad = 1 }
}
END { exit bad }' "$tmp/dos.csv" || fail "dos histogram"

# Smoothing keeps the row count; a bad option is a usage error.
"$cli" dos "$examples/square_s.qrg" --grid 5 --bins 10 --smooth 1 | body /dev/stdin > "$tmp/s.csv"
[ "$(wc -l < "$tmp/s.csv")" -eq 12 ] || fail "smoothed rows"
if "$cli" dos "$examples/square_s.qrg" --grid x 2> /dev/null; then fail "bad option accepted"; fi

# Energies near the largest double leave no interval to count in: said, and not a success.
printf 'huge\n_alfa s -1.7e308 tok= 1\n' > "$tmp/huge.qrg"
status=0
"$cli" dos "$tmp/huge.qrg" --grid 5 > "$tmp/huge.csv" 2> "$tmp/huge.err" || status=$?
[ "$status" -eq 1 ] || fail "dos of huge energies exited $status"
grep -q 'no density of states' "$tmp/huge.err" || fail "dos of huge energies: no message"
# The filling: the dimer chain with one band full is an insulator with E_F midgap; the
# integrated column runs from 0 to g N; without --electrons nothing changes.
"$cli" dos "$examples/dimer_chain.qre" --grid 10 --electrons 2 --shift > "$tmp/fill.csv"
grep -qx '# fermi=-1.25' "$tmp/fill.csv" || fail "dimer fermi"
grep -qx '# gap=0.5 vbm=-1.5 cbm=-1 direct=yes' "$tmp/fill.csv" || fail "dimer gap"
body "$tmp/fill.csv" | awk -F, 'NR == 1 && $NF != "integrated" { exit 1 }
  NR == 2 && $NF != 0 { exit 1 } END { if ($NF != 4) exit 1 }' || fail "integrated column"
"$cli" dos "$examples/dimer_chain.qre" --grid 10 > "$tmp/plain.csv"
grep -q 'fermi\|integrated' "$tmp/plain.csv" && fail "filling without --electrons"
if "$cli" dos "$examples/dimer_chain.qre" --grid 10 --electrons 5 2> /dev/null; then
  fail "more electrons than states accepted"
fi

# --method tetra: a method line, curves in states per cell and energy (area 1 for one band), E_F
# of the half-filled chain at its band centre -1 and the integrated column ending at g N. Naming
# the histogram changes nothing; --smooth with tetra and an unknown method are usage errors.
"$cli" dos "$examples/chain_s.qrg" --grid 10 > "$tmp/h1.csv"
"$cli" dos "$examples/chain_s.qrg" --grid 10 --method histogram > "$tmp/h2.csv"
cmp -s "$tmp/h1.csv" "$tmp/h2.csv" || fail "--method histogram changed the output"
grep -q '^# method' "$tmp/h1.csv" && fail "method line in a histogram"
"$cli" dos "$examples/chain_s.qrg" --grid 10 --method tetra --electrons 1 > "$tmp/t.csv"
grep -qx '# method: tetrahedra' "$tmp/t.csv" || fail "tetra method line"
awk -F= '/^# fermi=/ { exit !(($2 + 1)^2 < 1e-18) }' "$tmp/t.csv" || fail "tetra fermi"
body "$tmp/t.csv" | awk -F, 'NR == 2 { e0 = $1 } NR == 3 { dE = $1 - e0 } NR > 1 { a += $2 }
  END { if ($NF != 2 || (a * dE - 1)^2 > 1e-18) exit 1 }' || fail "tetra area or integrated"
for bad in "--method tetra --smooth 0" "--smooth 2 --method tetra" "--method tet"; do
  status=0
  # shellcheck disable=SC2086
  "$cli" dos "$examples/chain_s.qrg" $bad > /dev/null 2>&1 || status=$?
  [ "$status" -eq 2 ] || fail "dos $bad exited $status"
done

# map: the header, (n + 1)^2 rows with kx fastest, E = -2 (cos pi kx + cos pi ky) for the square
# lattice; weight columns only with --weights; bad band, grid and model are errors.
"$cli" map "$examples/square_s.qrg" --band 1 --grid 4 --kz 0.5 > "$tmp/map.full"
[ "$(grep '^#' "$tmp/map.full" | tail -n +2)" = "# model file: $examples/square_s.qrg
# model form: 2
# k plane: kz = 0.5, 5 x 5 points kx, ky = -1 + 2i/4
# band: 1 of 1 (1 = the highest)" ] || fail "map comment header"
body "$tmp/map.full" | awk -F, 'NR == 1 { if ($0 != "kx,ky,energy") exit 1; next }
  { pi = atan2(0, -1); p = NR - 2; kx = -1 + (p % 5) / 2; ky = -1 + int(p / 5) / 2
    e = -2 * (cos(pi * kx) + cos(pi * ky))
    if ($1 != kx || $2 != ky || ($3 - e)^2 > 1e-18) { print "map row " $0; exit 1 } }
  END { if (NR != 26) exit 1 }' || fail "map rows"
"$cli" map "$examples/square_dp.qrg" --band 2 --grid 2 --weights | body /dev/stdin > "$tmp/w.csv"
[ "$(head -1 "$tmp/w.csv" | tr -cd , | wc -c)" -ge 4 ] || fail "map weight columns"
for bad in "--band 0" "--band 2" "--band 1 --grid 201" "--band 1 --grid 0" "--band 1 --kz x"; do
  # shellcheck disable=SC2086
  if "$cli" map "$examples/square_s.qrg" $bad > /dev/null 2>&1; then fail "map $bad accepted"; fi
done
status=0
"$cli" map "$tmp/none.qrg" --band 1 > /dev/null 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "map of a missing model exited $status"
echo "cli_bands_dos: passed"
