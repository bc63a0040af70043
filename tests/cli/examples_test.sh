#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The examples gallery: quarnel-cli bands along each example's own k path, every point compared
# with the closed-form energies. The k points are taken from the .qrk file here, not from the
# CLI's output, so a path read wrongly shows up as well.
set -u -o pipefail
cli=$1
examples=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
checks=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expected FORM PATH: one line per computed point, "kx ky kz E1 E2 ..." with the energies
# highest first, as the program orders them.
expected() {
  awk -v form="$1" '
    function sortdown(n,   i, j, t) {
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (e[j] > e[i]) { t = e[i]; e[i] = e[j]; e[j] = t }
    }
    NR == 1 { next }                       # title line
    {
      if ($4 + 0 <= 0) next;                 # a line without a positive divisor is skipped
      pi = atan2(0, -1);
      kx = $1 / $4; ky = $2 / $4; kz = $3 / $4;
      if (form == "chain") { n = 1; e[1] = -1 - 2 * cos(pi * kx) }
      else if (form == "square") { n = 1; e[1] = -2 * cos(pi * kx) - 2 * cos(pi * ky) }
      else if (form == "dp") {
        # Cu d at -3.5 couples to Ox and Oy (-5.1) with 2.6 i sin(pi k / 2); Ox and Oy do not meet.
        sx = sin(pi * kx / 2); sy = sin(pi * ky / 2);
        r = sqrt(0.64 + 6.76 * (sx * sx + sy * sy));
        n = 3; e[1] = -4.3 + r; e[2] = -5.1; e[3] = -4.3 - r
      } else if (form == "dimer") {
        # form 1: A at -1, B at -1.5, coupled by 2 (-1) cos(pi k / 2).
        c = cos(pi * kx / 2); r = sqrt(0.0625 + 4 * c * c);
        n = 2; e[1] = -1.25 + r; e[2] = -1.25 - r
      } else if (form == "rashba") {
        # The spin-orbit term is linear in k: |H12| = 0.8 |k|, no pi.
        b = -2 * cos(pi * kx) - 2 * cos(pi * ky); r = 0.8 * sqrt(kx * kx + ky * ky);
        n = 2; e[1] = b + r; e[2] = b - r
      }
      sortdown(n);
      line = kx " " ky " " kz;
      for (i = 1; i <= n; i++) line = line " " sprintf("%.17g", e[i]);
      print line
    }' "$2"
}

# check MODEL PATH FORM: 0 when every energy matches to 1e-9 (relative above 1).
check() {
  local model=$1 path=$2 form=$3
  # The "#" lines name the sources; the table follows them.
  "$cli" bands "$model" "$path" 2>"$tmp/err" | grep -v '^#' >"$tmp/bands.csv" || return 1
  [ -s "$tmp/err" ] && return 1
  expected "$form" "$path" >"$tmp/want"
  awk -F, -v want="$tmp/want" '
    NR == 1 { next }
    {
      if ($6 == 1) {
        if ((getline w < want) <= 0) { print "more points than the path has"; bad = 1; exit }
        nw = split(w, wv, " "); points++
        if ($3 - wv[1] > 1e-12 || wv[1] - $3 > 1e-12 || $4 - wv[2] > 1e-12 || wv[2] - $4 > 1e-12) {
          print "point " $1 ": k is " $3 "," $4 ", path says " wv[1] "," wv[2]; bad = 1
        }
      }
      want_e = wv[3 + $6]; d = $7 - want_e; if (d < 0) d = -d
      tol = 1e-9; a = want_e < 0 ? -want_e : want_e; if (a > 1) tol *= a
      if (want_e == "" || d > tol) { print "point " $1 " band " $6 ": " $7 ", closed form " want_e; bad = 1 }
    }
    END {
      if ((getline w < want) > 0) { print "fewer points than the path has"; bad = 1 }
      if (points == 0) bad = 1
      exit bad
    }' "$tmp/bands.csv" >"$tmp/why"
}

gallery() {
  local model=$1 path=$2 form=$3
  checks=$((checks + 1))
  check "$examples/$model" "$examples/$path" "$form" ||
    fail "$model along $path: $(head -3 "$tmp/why") $(cat "$tmp/err")"
}
gallery chain_s.qrg chain_path.qrk chain
gallery square_s.qrg square_path.qrk square
gallery square_dp.qrg square_path.qrk dp
gallery dimer_chain.qre chain_path.qrk dimer
gallery rashba_square.qrg rashba_path.qrk rashba

# The comparison must be able to fail: a sign-flipped hopping, a spin-orbit term twice as
# strong and a form-1 factor read in form 2 all have to be caught.
sed 's/bepx= -1.000/bepx=  1.000/' "$examples/chain_s.qrg" >"$tmp/flipped.qrg"
check "$tmp/flipped.qrg" "$examples/chain_path.qrk" chain && fail "a flipped hopping sign passed"
sed 's/0\.800/1.600/' "$examples/rashba_square.qrg" >"$tmp/strong.qrg"
check "$tmp/strong.qrg" "$examples/rashba_path.qrk" rashba && fail "a doubled spin-orbit term passed"
cp "$examples/dimer_chain.qre" "$tmp/dimer.qrg"
check "$tmp/dimer.qrg" "$examples/chain_path.qrk" dimer && fail "form 2 reading of a form-1 file passed"

# What a student reads off the charts.
csv() { "$cli" bands "$examples/$1" "$examples/$2" | grep -v '^#'; }
labels=$(csv chain_s.qrg chain_path.qrk | awk -F, 'NR > 1 && $2 != "" { printf "%s:%s ", $1, $2 }')
[ "$labels" = "0:-X 20:G 40:X " ] || fail "chain path labels are '$labels'"
labels=$(csv rashba_square.qrg rashba_path.qrk | awk -F, 'NR > 1 && $2 != "" { printf "%s:%s ", $1, $2 }')
[ "$labels" = "0:-X 20:G 40:X 60:M 80:G " ] || fail "Rashba path labels are '$labels'"
# Rashba: the two spin bands meet at Gamma only; elsewhere each is half up, half down.
csv rashba_square.qrg rashba_path.qrk | awk -F, 'NR > 1 {
    if ($3 == 0 && $4 == 0) next
    if ($8 - 0.5 > 1e-9 || 0.5 - $8 > 1e-9) exit 1 }' ||
  fail "Rashba bands away from Gamma are not half up, half down"
csv rashba_square.qrg rashba_path.qrk | awk -F, 'NR > 1 && $3 == 0 && $4 == 0 { e[$6] = $7 }
    END { d = e[1] - e[2]; exit !(d < 1e-9 && d > -1e-9 && 2 in e) }' ||
  fail "Rashba bands are split at Gamma"
# d-p: the middle band is the non-bonding oxygen band, with no copper in it anywhere.
csv square_dp.qrg square_path.qrk | awk -F, 'NR > 1 && $6 == 2 { if ($8 > 1e-9) exit 1 }' ||
  fail "the middle d-p band carries copper weight"

echo "$checks example paths; $failures failed"
[ "$failures" -eq 0 ]
