#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quarnel-cli chern, berry and ribbon: their formats, the numbers of the examples against closed
# forms, and the exit statuses of bad arguments and models of other forms.
set -u
cli=$1
examples=$2
. "$(dirname "$0")/cli_test_setup.sh"
key() { grep '^#' "$1" | tr ' ' '\n' | sed -n "s/^$2=//p" | head -1; }
usage() {
  "$cli" "$@" >/dev/null 2>"$tmp/err"
  local status=$?
  [ "$status" = 2 ] || fail "$* exited $status, not 2"
  grep -q '^usage: ' "$tmp/err" || fail "$*: no usage text"
}

# chern: n^2 rows k1 fastest, the plaquette phases add up to 2 pi C.
"$cli" chern "$examples/haldane.qrl" --grid 12 >"$tmp/c" || fail "chern exited $?"
[ "$(key "$tmp/c" chern)" = -1 ] || [ "$(key "$tmp/c" chern)" = 1 ] || fail "Haldane: chern=$(key "$tmp/c" chern)"
awk -F, '/^k1,k2,curvature$/ { h = 1; next } h { n++; s += $3; if (n == 2 && $1 == 0) bad = 1 }
  END { c = s / 6.283185307179586; exit !(h && n == 144 && !bad && ((c + 1) ^ 2 < 1e-12 || (c - 1) ^ 2 < 1e-12)) }' "$tmp/c" ||
  fail "chern rows or their sum"
[ "$(key "$tmp/c" gap)" != "" ] || fail "chern: no gap="
"$cli" chern "$examples/graphene.qrl" --grid 12 >"$tmp/g" || fail "graphene chern exited $?"
[ "$(key "$tmp/g" chern)" = undefined ] || fail "graphene's Dirac points: chern=$(key "$tmp/g" chern)"
grep -q '^# .*not defined (gap closes near k = ' "$tmp/g" || fail "graphene: no reason"
[ "$(key <("$cli" chern "$examples/qwz.qrl") chern)" = -1 ] || fail "QWZ at u = 1"

# berry: the SSH chain's Zak phase pi/2 (B at half the cell, intra-cell bond the stronger).
"$cli" berry "$examples/ssh_chain.qrl" --dir 1 --grid 16 >"$tmp/b" || fail "berry exited $?"
awk -v b="$(key "$tmp/b" berry)" 'BEGIN { exit !((b - 1.5707963267949) ^ 2 < 1e-18) }' || fail "SSH berry=$(key "$tmp/b" berry)"
[ "$(grep -c '^[0-9]' "$tmp/b")" = 17 ] || fail "berry rows: $(grep -c '^[0-9]' "$tmp/b")"
grep -q '^k,centre1$' "$tmp/b" || fail "berry columns"
"$cli" berry "$examples/kane_mele.qrl" --dir 2 --grid 24 >"$tmp/km" || fail "Kane-Mele berry exited $?"
[ "$(key "$tmp/km" z2)" = 1 ] && [ "$(key "$tmp/km" chern)" = 0 ] || fail "Kane-Mele: $(grep chern= "$tmp/km")"
awk -F, '/^k,/ { h = 1; next } h && !($2 <= $3 && $2 >= 0 && $3 < 1) { bad = 1 } END { exit bad || !h }' "$tmp/km" ||
  fail "centres not ascending in [0, 1)"
"$cli" berry "$examples/haldane.qrl" --dir 1 --grid 12 >"$tmp/h"
[ "$(key "$tmp/h" z2)" = undefined ] && [ "$(key "$tmp/h" chern)" = "$(key "$tmp/c" chern)" ] ||
  fail "Haldane berry: $(grep chern= "$tmp/h")"

# ribbon: the SSH chain of 30 cells with |w| > |v| has two end states at E = 0, each half on
# each end.
sed 's/^_hop   A  B  R= -1 0 0  t= -0.5/_hop A B R= -1 0 0 t= -2/' "$examples/ssh_chain.qrl" >"$tmp/ssh.qrl"
"$cli" ribbon "$tmp/ssh.qrl" --open 1 --cells 30 >"$tmp/r" || fail "ribbon exited $?"
grep -q '^point,label,kx,ky,kz,band,energy,edge_first,edge_last$' "$tmp/r" || fail "ribbon columns"
[ "$(awk -F, '!/^#/ && NR > 1 && $7 ^ 2 < 1e-12 && ($8 + $9) > 0.7' "$tmp/r" | wc -l)" = 2 ] ||
  fail "SSH end states: $(awk -F, '$7 ^ 2 < 1e-6' "$tmp/r")"
"$cli" ribbon "$examples/graphene.qrl" --open 2 --cells 10 >"$tmp/z" || fail "zigzag ribbon exited $?"
[ "$(grep -c '^[0-9]' "$tmp/z")" = $((61 * 20)) ] || fail "ribbon rows: $(grep -c '^[0-9]' "$tmp/z")"
awk -F, '$1 ~ /^[0-9]/ { if (seen && $1 == pt && $7 > prev + 1e-12) bad = 1; seen = 1; pt = $1; prev = $7 } END { exit bad }' "$tmp/z" ||
  fail "ribbon bands not descending"
"$cli" ribbon "$examples/graphene.qrl" --open 1 --cells 4 "$examples/chain_path.qrk" | grep -q '^# k points: 41$' ||
  fail "ribbon with a path"

# Bad arguments and other forms: usage errors; a missing file: 1.
usage chern "$examples/square_s.qrg"
usage berry "$examples/dimer_chain.qre" --dir 1
usage ribbon "$examples/chain_s.qrg" --open 1 --cells 4
usage chern "$examples/ssh_chain.qrl"
usage chern "$examples/haldane.qrl" --occupied 2
usage chern "$examples/haldane.qrl" --occupied 0
usage chern "$examples/haldane.qrl" --grid 1
usage berry "$examples/haldane.qrl"
usage berry "$examples/haldane.qrl" --dir 3
usage ribbon "$examples/graphene.qrl" --open 3 --cells 4
usage ribbon "$examples/graphene.qrl" --open 1 --cells 4000
printf 'x\n_orb a 0\n_orb b 0\n_hop a b R= 1 0 0 t= 1\n_fill electrons=1 spin=2\n' >"$tmp/half.qrl"
usage berry "$tmp/half.qrl" --dir 1
"$cli" berry "$tmp/half.qrl" --dir 1 --occupied 1 >/dev/null || fail "--occupied does not replace the filling"
"$cli" chern "$tmp/missing.qrl" 2>/dev/null
[ $? = 1 ] || fail "a missing file is not exit 1"

[ "$failures" = 0 ] || exit 1
echo "all topology command checks passed"
