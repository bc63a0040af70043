#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install into a fresh prefix, then what a desktop does with it: the entry validates, the
# file types are known by extension, and opening a model, path or matrix file starts the program
# with that file.
set -u
build=$1
source=$2
gui=$3   # ON when the desktop program is built
icon_check=${4:-}   # renders an SVG with Qt's own renderer (built with the desktop program)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in desktop-file-validate update-desktop-database update-mime-database xdg-mime xdg-open gio; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup installs it)"; exit 1; }
done

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log"; echo "FAIL: cmake --install"; exit 1; }

share=$prefix/share
[ -x "$prefix/bin/quarnel-cli" ] || fail "bin/quarnel-cli missing"
[ -f "$share/mime/packages/quarnel.xml" ] || fail "MIME types missing"
[ -f "$share/doc/quarnel/README.md" ] || fail "README missing"
diff -r "$source/examples" "$share/quarnel/examples" >/dev/null || fail "examples differ from the source"
[ -f "$share/quarnel/examples/README.md" ] || fail "examples/README.md missing"

# The installed CLI runs the installed examples.
points=$("$prefix/bin/quarnel-cli" bands "$share/quarnel/examples/chain_s.qrg" \
  "$share/quarnel/examples/chain_path.qrk" | awk -F, 'NR > 1 && $6 == 1' | wc -l)
[ "$points" = 41 ] || fail "installed CLI gave $points points along the chain path"

# File types by extension, as the desktop's MIME database sees them once built.
update-mime-database "$share/mime" || fail "update-mime-database rejected the MIME types"
declare -A types=([qrg]=application/x-quarnel-model [qre]=application/x-quarnel-model-form1
                  [qrl]=application/x-quarnel-crystal [qrk]=application/x-quarnel-kpath [qmx]=application/x-quarnel-matrix)
for ext in "${!types[@]}"; do
  grep -qx "50:${types[$ext]}:\*\.$ext" "$share/mime/globs2" || fail "globs2 has no *.$ext"
done

home=$tmp/home
mkdir -p "$home/files" "$home/bin"
desktop() {
  env -i PATH="$home/bin:/usr/bin:/bin" HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_DATA_HOME="$home/data" XDG_DATA_DIRS="$share:/usr/share" XDG_CURRENT_DESKTOP=GNOME "$@"
}
cp "$source/examples/square_dp.qrg" "$source/examples/dimer_chain.qre" "$source/examples/graphene.qrl" \
  "$source/examples/square_path.qrk" "$source/examples/hermitian_2x2.qmx" "$home/files/"
for f in square_dp.qrg dimer_chain.qre graphene.qrl square_path.qrk hermitian_2x2.qmx; do
  type=$(desktop xdg-mime query filetype "$home/files/$f" 2>/dev/null)
  [ "$type" = "${types[${f##*.}]}" ] || fail "$f is seen as '$type'"
done
# Without the prefix the same file is plain text: the type above came from the installed XML.
type=$(env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/data" XDG_DATA_DIRS=/usr/share \
  XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$home/files/square_dp.qrg" 2>/dev/null)
[ "$type" = text/plain ] || fail "without the prefix square_dp.qrg is '$type'"

if [ "$gui" = ON ]; then
  entry=$share/applications/quarnel.desktop
  [ -x "$prefix/bin/quarnel" ] || fail "bin/quarnel missing"
  # Help > Manual with PENDROWE=<prefix>/share/quarnel looks in its folder Quarnel.
  [ -s "$share/quarnel/Quarnel/Quarnel_Manual.pdf" ] || fail "manual missing"
  # Started as a double click starts it, with a model and a matrix file, the installed program
  # must still be running after a few seconds (a crash on either file ends it early).
  QT_QPA_PLATFORM=offscreen HOME="$home" timeout 5 "$prefix/bin/quarnel" \
    "$share/quarnel/examples/square_dp.qrg" "$share/quarnel/examples/hermitian_2x2.qmx" \
    >/dev/null 2>&1
  [ $? -eq 124 ] || fail "the installed program ended early with a model and a matrix file"
  [ -f "$entry" ] || fail "desktop entry missing"
  for page in quarnel quarnel-cli; do
    [ -n "$(zcat "$share/man/man1/$page.1.gz" 2>/dev/null | grep '^\.SH EXIT STATUS')" ] ||
      fail "manual page $page.1 missing or without exit statuses"
  done
  metainfo=$share/metainfo/org.example.quarnel.metainfo.xml
  [ -f "$metainfo" ] || fail "AppStream description missing"
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >"$tmp/appstream" 2>&1 || fail "$(cat "$tmp/appstream")"
  else
    echo "appstreamcli missing: the AppStream description is not validated"
  fi
  desktop-file-validate "$entry" >"$tmp/validate" 2>&1 || fail "desktop entry: $(cat "$tmp/validate")"
  grep -qx 'Exec=quarnel %F' "$entry" || fail "Exec line"
  # Every type the entry claims is one the XML defines, and the other way round.
  claimed=$(sed -n 's/^MimeType=//p' "$entry" | tr ';' '\n' | sed '/^$/d' | sort | tr '\n' ' ')
  defined=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$share/mime/packages/quarnel.xml" |
    sort | tr '\n' ' ')
  [ "$claimed" = "$defined" ] || fail "entry claims '$claimed', XML defines '$defined'"
  icon=$share/icons/hicolor/scalable/apps/quarnel.svg
  [ "$(QT_QPA_PLATFORM=offscreen "$icon_check" "$icon" 2>/dev/null)" = 128x128 ] ||
    fail "icon does not render at 128x128"

  update-desktop-database "$share/applications" || fail "update-desktop-database"
  for t in "${types[@]}"; do
    app=$(desktop xdg-mime query default "$t" 2>/dev/null)
    [ "$app" = quarnel.desktop ] || fail "default application for $t is '$app'"
  done
  # A double click: the desktop runs the entry's command with the file. A stand-in program
  # records its arguments instead of opening windows.
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$home/opened" >"$home/bin/quarnel"
  chmod +x "$home/bin/quarnel"
  for f in square_dp.qrg dimer_chain.qre graphene.qrl square_path.qrk hermitian_2x2.qmx; do
    desktop timeout 20 xdg-open "$home/files/$f" >/dev/null 2>&1 || fail "xdg-open $f"
  done
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    [ "$(wc -l <"$home/opened" 2>/dev/null)" = 5 ] && break
    sleep 0.5
  done
  for f in square_dp.qrg dimer_chain.qre graphene.qrl square_path.qrk hermitian_2x2.qmx; do
    grep -qx "$home/files/$f" "$home/opened" 2>/dev/null || fail "opening $f did not start quarnel with it"
  done
fi

echo "install into $prefix checked; $failures failed"
[ "$failures" -eq 0 ]
