#!/usr/bin/env bash
# Checks an installed tree: check_tree.sh ROOT PREFIX EXPECTED_FILES REGISTRY_TEST VERSION
# ROOT is where the installation was put (a DESTDIR, or a package unpacked with
# dpkg -x), PREFIX the prefix it was made for. The tree must hold exactly the files
# listed in EXPECTED_FILES below PREFIX, programs executable, icons at their sizes,
# valid desktop entries and AppStream metadata releasing VERSION, the project's;
# REGISTRY_TEST then reads the registry the installed korvo reads and checks that it
# names the installed tool.
set -euo pipefail
root=$1 prefix=$2 expected=$3 registry_test=$4 version=$5
top=$root$prefix

fail() { echo "FAIL: $*" >&2; exit 1; }

# Exactly the expected files: a missing one breaks a program, a stray one is a leak
# from the build (a test, a static library) into the installation.
actual=$(cd "$root" && find . -path "./${prefix#/}/*" \( -type f -o -type l \) | sed "s|^\./${prefix#/}/||" | sort)
if ! diff -u <(sort "$expected") <(echo "$actual"); then
  fail "the files under $top differ from $expected (- expected, + installed)"
fi

for program in bin/korvo bin/tavvel libexec/korvo-sysinfo; do
  [ -x "$top/$program" ] || fail "$program is not executable"
done

# PNG width and height are big-endian 32-bit numbers at bytes 16 to 23.
png_size() {
  python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$1"
}
for icon in 16x16/apps/tavvel 32x32/apps/tavvel 32x32/apps/korvo; do
  size=$(png_size "$top/share/icons/hicolor/$icon.png")
  [ "$size" = "${icon%%/*}" ] || fail "$icon.png is $size"
done
grep -q "<svg" "$top/share/icons/hicolor/scalable/apps/korvo.svg" || fail "korvo.svg is no SVG"

for entry in "$top"/share/applications/*.desktop; do
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$top/bin/$program" ] || fail "$entry starts $program, which is not installed"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -e "$top/share/icons/hicolor/32x32/apps/$icon.png" ] || fail "$entry shows icon $icon, not installed"
done
for metainfo in "$top"/share/metainfo/*.metainfo.xml; do
  appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "$metainfo does not release $version"
  id=$(basename "$metainfo" .metainfo.xml)
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "$metainfo does not launch $id.desktop"
  [ -f "$top/share/applications/$id.desktop" ] || fail "$id.desktop is not installed"
done

KORVO_ROOT=$root KORVO_PREFIX=$prefix "$registry_test"
echo "PASS: $top"
