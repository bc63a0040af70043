#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quarnel-cli on the lattice form (.qrl): save reads back, bad lines on stderr with exit 0,
# -betatyp3, eig at graphene's corner, the whole-zone DOS grid, and the map's Cartesian columns.
set -u
cli=$1
examples=$2
. "$(dirname "$0")/cli_test_setup.sh"
g=$examples/graphene.qrl

# save: the saved file saves to the same bytes, with 12 significant digits.
"$cli" save "$g" >"$tmp/g.qrl" 2>"$tmp/err" || fail "save exited $?"
[ -s "$tmp/err" ] && fail "save printed: $(cat "$tmp/err")"
"$cli" save "$tmp/g.qrl" | cmp -s - "$tmp/g.qrl" || fail "a saved .qrl does not save to itself"
grep -q '^_orb B 0 pos= 0.333333333333 0.333333333333 0 tok= 1' "$tmp/g.qrl" || fail "save: $(grep B "$tmp/g.qrl")"
# -betatyp3 chooses the form for another extension; the extension decides for .qrl.
cp "$g" "$tmp/g.txt"
"$cli" -betatyp3 save "$tmp/g.txt" | cmp -s - "$tmp/g.qrl" || fail "-betatyp3 did not read a .txt as .qrl"
"$cli" -betatyp1 save "$g" | cmp -s - "$tmp/g.qrl" || fail "-betatyp1 overrode the extension .qrl"

# Bad lines: reported with their numbers on stderr, the rest is read, exit 0.
printf 'h\n_orb A 0\n_orb A 1\n_hop A C R= 1 0 0 t= 1\n_hop A A R= 1 0 0 t= -1\n_what\n' >"$tmp/bad.qrl"
"$cli" eig "$tmp/bad.qrl" 1 0 0 2 >"$tmp/out" 2>"$tmp/err" || fail "bad lines: exit $?"
for n in 3 4 6; do grep -q "^Line $n: " "$tmp/err" || fail "no message for line $n: $(cat "$tmp/err")"; done
grep -q "^Line 5" "$tmp/err" && fail "a good line reported"
awk 'NR == 2 { exit !($1 < 1e-12 && $1 > -1e-12) }' "$tmp/out" || fail "chain at k = 1/2: $(cat "$tmp/out")"

# eig: graphene's bands touch at K (40 20 0 30 in its 60-degree cell).
"$cli" eig "$g" 40 20 0 30 | awk 'NR > 1 { if ($1 > 1e-9 || $1 < -1e-9) bad = 1 } END { exit bad }' ||
  fail "graphene's bands do not meet at K"

# dos: the whole zone of the two periodic directions, n^2 points, 2 states each.
"$cli" dos "$g" --grid 30 --bins 50 >"$tmp/dos" || fail "dos exited $?"
grep -q '^# k grid: 30^2 points' "$tmp/dos" || fail "dos grid header: $(grep 'k grid' "$tmp/dos")"
grep -q '^# eigenstates: 1800$' "$tmp/dos" || fail "dos: $(grep eigenstates "$tmp/dos")"
# Half filling of the honeycomb: E_F at the Dirac point, 0.
"$cli" dos "$g" --grid 30 --electrons 2 | awk -F= '/^# fermi=/ { f = $2 } END { exit !(f < 1e-9 && f > -1e-9) }' ||
  fail "graphene at half filling: E_F not 0"
# The same histogram on one thread and on three.
cmp -s <("$cli" dos "$g" --grid 12 --threads 1) <("$cli" dos "$g" --grid 12 --threads 3) ||
  fail "dos depends on the thread count"

# map: kx,ky in k numbers, then the Cartesian k; the corner kx = ky = 1 is q = (b1 + b2) / 2.
"$cli" map "$g" --band 1 --grid 2 >"$tmp/map" || fail "map exited $?"
grep -q '^kx,ky,energy,qx,qy,qz$' "$tmp/map" || fail "map columns: $(grep '^kx' "$tmp/map")"
grep -q '^1,1,1,0.5,0.288675134595,0$' "$tmp/map" || fail "map corner: $(tail -1 "$tmp/map")"
# Forms 1 and 2 keep their columns.
"$cli" map "$examples/square_s.qrg" --band 1 --grid 2 | grep -q '^kx,ky,energy$' ||
  fail "a .qrg map got Cartesian columns"

# convert: .qrl -> hr (+ .win, _centres.xyz) -> .qrl keeps the crystal and every energy.
h=$examples/haldane.qrl
"$cli" convert "$h" "$tmp/hal_hr.dat" 2>"$tmp/err" || fail "convert to hr exited $?"
[ -s "$tmp/err" ] && fail "convert to hr printed: $(cat "$tmp/err")"
for f in hal_hr.dat hal.win hal_centres.xyz; do [ -s "$tmp/$f" ] || fail "convert wrote no $f"; done
sed -n 2,3p "$tmp/hal_hr.dat" | tr '\n' ' ' | grep -q '^2 7 $' || fail "hr counts: $(sed -n 2,3p "$tmp/hal_hr.dat")"
"$cli" convert "$tmp/hal_hr.dat" "$tmp/back.qrl" 2>"$tmp/err" || fail "convert to qrl exited $?"
[ -s "$tmp/err" ] && fail "a full round trip warned: $(cat "$tmp/err")"
for k in "0 0 0 1" "40 20 0 30" "-40 -20 0 30" "7 -3 5 11"; do
  a=$("$cli" eig "$h" $k | awk 'NR > 1 { printf "%.9f ", $1 }')
  b=$("$cli" eig "$tmp/back.qrl" $k | awk 'NR > 1 { printf "%.9f ", $1 }')
  [ "$a" = "$b" ] || fail "round trip at $k: $a against $b"
done
grep -q '^_cell  a1= 1 0 0  a2= 0.5 0.866025403784 0  a3= 0 0 3' "$tmp/back.qrl" ||
  fail "round trip lost the cell: $(grep _cell "$tmp/back.qrl")"
grep -q '^_orb w2 -0.2 pos= 0.333333333333 0.333333333333 0 ' "$tmp/back.qrl" ||
  fail "round trip lost a position: $(grep w2 "$tmp/back.qrl")"
# Without the .win and centres files: the unit cube and positions 0, with warnings, exit 0; the
# energies stay (an hr file's H(k) carries no positions).
cp "$tmp/hal_hr.dat" "$tmp/bare_hr.dat"
"$cli" convert "$tmp/bare_hr.dat" "$tmp/bare.qrl" 2>"$tmp/err" || fail "bare convert exited $?"
grep -q 'bare.win' "$tmp/err" && grep -q 'bare_centres.xyz' "$tmp/err" || fail "no warnings: $(cat "$tmp/err")"
a=$("$cli" eig "$h" 7 -3 5 11 | awk 'NR > 1 { printf "%.9f ", $1 }')
b=$("$cli" eig "$tmp/bare.qrl" 7 -3 5 11 | awk 'NR > 1 { printf "%.9f ", $1 }')
[ "$a" = "$b" ] || fail "bare round trip: $a against $b"
# --min drops the small hops: the second neighbours (0.1) go, the first (1) stay.
"$cli" convert "$tmp/hal_hr.dat" "$tmp/min.qrl" --min 0.5 2>/dev/null || fail "--min exited $?"
[ "$(grep -c '^_hop' "$tmp/min.qrl")" = 3 ] || fail "--min 0.5 kept $(grep -c '^_hop' "$tmp/min.qrl") hops"
# Names decide: anything else is a usage error; 17 Wannier functions are refused, no file.
"$cli" convert "$h" "$tmp/x.dat" 2>/dev/null; [ $? = 2 ] || fail "convert to .dat is no usage error"
"$cli" convert "$tmp/hal_hr.dat" "$tmp/x.qrg" 2>/dev/null; [ $? = 2 ] || fail "convert to .qrg is no usage error"
printf 'big\n17\n1\n1\n0 0 0 1 1 1.0 0.0\n' >"$tmp/big_hr.dat"
"$cli" convert "$tmp/big_hr.dat" "$tmp/big.qrl" 2>"$tmp/err" && fail "17 Wannier functions converted"
grep -q '17 Wannier functions' "$tmp/err" || fail "no clear error for 17: $(cat "$tmp/err")"
[ -e "$tmp/big.qrl" ] && fail "a file was written for 17 Wannier functions"

echo "lattice form: $failures failed"
[ "$failures" -eq 0 ]
