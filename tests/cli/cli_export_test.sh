#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quarnel-cli export --python: the script's energies equal quarnel-cli bands on every example
# model along every example path (and a klist_band path); usage errors; the plot when matplotlib
# is there.
set -euo pipefail
cli=$1
examples=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Debian's python3 first: scripts/setup installs python3-numpy for it.
python=
for candidate in /usr/bin/python3 python3; do
  if command -v "$candidate" >/dev/null && "$candidate" -c 'import numpy' 2>/dev/null; then
    python=$candidate
    break
  fi
done
if [ -z "$python" ]; then
  echo "SKIP: python3 with numpy is missing (scripts/setup installs python3-numpy)"
  exit 77
fi

# Usage errors: the language is required, and forms 1 and 2 need a path.
set +e
"$cli" export "$examples/chain_s.qrg" "$examples/chain_path.qrk" > /dev/null 2>&1
[ $? -eq 2 ] || fail "export without --python is no usage error"
"$cli" export "$examples/chain_s.qrg" --python > /dev/null 2>&1
[ $? -eq 2 ] || fail "export of form 2 without a path is no usage error"
"$cli" export "$tmp/missing.qrg" "$examples/chain_path.qrk" --python > /dev/null 2>&1
[ $? -eq 1 ] || fail "export of a missing model does not exit 1"
set -e

# Outside text reaches the script as string constants: a Latin-1 header, quotes and a backslash
# in an orbital's name.
printf 'caf\xe9 "q" \\\n_alfa      a"b\\  -1.000  tok= 1 tox=0.500 toy=0.500 bepx= -1.000 bepy=  0.000 bepz=  0.000 mef=0.000\n' \
  > "$tmp/odd.qrg"
"$cli" export "$tmp/odd.qrg" "$examples/chain_path.qrk" --python > "$tmp/odd.py" 2> /dev/null
sed -i 's/^if __name__ == "__main__":/if False:/' "$tmp/odd.py"
printf 'assert MODEL_HEADER == "caf\\xe9 \\"q\\" \\\\", MODEL_HEADER\nassert ORBITALS == ["a\\"b\\\\"], ORBITALS\n' >> "$tmp/odd.py"
"$python" "$tmp/odd.py" || fail "names and header in the script"

# A klist_band path: labels in the first column, off-axis points, an END line.
cat > "$tmp/path.klist_band" <<'P'
G     0   0   0  20
      3   7  11  20
K    13   5  17  20
     20  20  20  20
END
P

# Energies of the CSV rows, one line per point, highest first as the bands are numbered.
csv_energies() {
  grep -v '^#' "$1" | awk -F, 'NR > 1 {
    if ($1 != point && NR > 2) { print line; line = "" }
    point = $1; line = line (line == "" ? "" : " ") $7 } END { if (line != "") print line }'
}

# Form 1 with every k factor, in all three directions, and k-independent terms.
cat > "$tmp/factors.qre" <<'M'
three orbitals, every k factor
_alfa      A  -1.000  tok= 1 tox=0.250 toy=0.500 bepx=  0.000 bepy=  0.000 bepz=  0.000 mef=0.000
_alfa      B  -1.500  tok= 1 tox=0.750 toy=0.500 bepx=  0.000 bepy=  0.000 bepz=  0.000 mef=0.000
_alfa      C  -0.250  tok= 1 tox=0.500 toy=0.250 bepx=  0.000 bepy=  0.000 bepz=  0.000 mef=0.000
_beta      A      B (ka)  -1.000 2  -0.300
_beta      A      B (kb)  -0.700 3   0.000
_beta      A      C (kb)  -0.400 4  -0.100
_beta      B      C (kc)  -0.900 1   0.000
_beta      B      C (ka)  -0.600 3  -0.200
M

checked=0
for model in "$examples"/*.qrg "$examples"/*.qre "$tmp/factors.qre"; do
  for path in "$examples"/*.qrk "$tmp/path.klist_band"; do
    name="$(basename "$model") $(basename "$path")"
    "$cli" export "$model" "$path" --python > "$tmp/model.py" || fail "$name: export"
    "$cli" bands "$model" "$path" > "$tmp/bands.csv" || fail "$name: bands"
    "$python" "$tmp/model.py" --print > "$tmp/script.txt" || fail "$name: the script failed"
    csv_energies "$tmp/bands.csv" > "$tmp/cli.txt"
    [ "$(wc -l < "$tmp/script.txt")" -eq "$(wc -l < "$tmp/cli.txt")" ] && [ -s "$tmp/cli.txt" ] ||
      fail "$name: $(wc -l < "$tmp/script.txt") script points, $(wc -l < "$tmp/cli.txt") bands points"
    # Same count per line, each energy within 1e-10, highest first.
    paste -d'|' "$tmp/script.txt" "$tmp/cli.txt" | awk -F'|' -v name="$name" '{
      n = split($1, s, " "); m = split($2, c, " ")
      if (n != m) { print name ": point " NR ": " n " energies, bands has " m; exit 1 }
      for (i = 1; i <= n; ++i) {
        d = s[i] - c[i]; if (d < 0) d = -d
        if (d > 1e-10) { print name ": point " NR " band " i ": " s[i] " vs " c[i]; exit 1 }
        if (i > 1 && s[i] > s[i - 1]) { print name ": point " NR ": not descending"; exit 1 }
      }
    }' || fail "energies differ"
    checked=$((checked + 1))
  done
done
[ "$checked" -ge 10 ] || fail "only $checked model and path pairs"

# The plot, without a display, when matplotlib is there: the chart gets the path's labels.
if "$python" -c 'import matplotlib' 2>/dev/null; then
  "$cli" export "$examples/square_dp.qrg" "$examples/square_path.qrk" --python > "$tmp/plot.py"
  cat >> "$tmp/plot.py" <<'P'
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
plt.show = lambda: plt.gcf().savefig(sys.argv[2])
plot(bands())
ticks = [t.get_text() for t in plt.gca().get_xticklabels()]
assert ticks == [p[4] for p in PATH if p[4]], ticks
assert len(plt.gca().get_lines()) == N
P
  sed -i 's/^if __name__ == "__main__":/if False:/' "$tmp/plot.py"
  "$python" "$tmp/plot.py" --plot "$tmp/bands.png" || fail "the plot failed"
  [ -s "$tmp/bands.png" ] || fail "no picture"
else
  echo "matplotlib missing: the plot is not tried"
fi
echo "PASS: $checked model and path pairs"
