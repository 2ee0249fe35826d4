#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it without installing it on this
# machine: deb_package.sh BUILD_DIR EXPECTED_FILES REGISTRY_TEST VERSION
# The control data must carry the project's VERSION and the dependencies
# dpkg-shlibdeps found in the binaries; lintian --pedantic may report no error and no
# warning; the programs must have Debian's hardening; the contents,
# unpacked with dpkg -x into a temporary root, must have the /usr layout and a hive
# that names /usr/libexec/korvo-sysinfo.
set -euo pipefail
build=$1 expected=$2 registry_test=$3 version=$4
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# A strict umask while packaging must not narrow the modes in the package.
(umask 077 && cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >cpack.log 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
echo "built $(basename "$deb")"

info=$(dpkg-deb -I "$deb")
echo "$info"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = korvo-tavvel ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version), not $version"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Section)" ] || fail "no section"
[ -n "$(field Description)" ] || fail "no description"
depends=$(field Depends)
[ -n "$depends" ] || fail "no Depends: dpkg-shlibdeps found nothing"
for library in libwebkitgtk-6.0-4 libgtkmm-4.0-0 libc6; do
  grep -Eq "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# The listing shows each entry with its mode and owner: the programs are executable,
# every path lies under /usr, and everything belongs to root and is readable by all.
listing=$(dpkg-deb -c "$deb")
for program in usr/bin/korvo usr/bin/tavvel usr/libexec/korvo-sysinfo; do
  grep -Eq "^-rwxr-xr-x .* \./$program$" <<<"$listing" || fail "$program is not an executable in the package"
done
if grep -Ev " \./(usr(/.*)?)?$" <<<"$listing"; then fail "paths outside /usr"; fi
if grep -Ev "^(drwxr-xr-x|-rwxr-xr-x|-rw-r--r--) root/root " <<<"$listing"; then
  fail "entries above not owned by root or not readable by every user"
fi

# An error or a warning fails the package; the pedantic notes are shown.
lintian --pedantic --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
if grep -E '^[EW]: ' "$work/lintian.log"; then fail "lintian reports the errors or warnings above"; fi

dpkg -x "$deb" "$work/root"
# Stack protector, RELRO, BIND_NOW and PIE in every program (control-flow protection
# is not among Debian 12's flags). _FORTIFY_SOURCE shows only in calls whose buffer
# size is known when compiling, which none of korvo's own calls has; the programs
# together must show it.
programs=(usr/bin/korvo usr/bin/tavvel usr/libexec/korvo-sysinfo)
for program in "${programs[@]}"; do
  hardening-check --nofortify --nocfprotection "$work/root/$program" || fail "$program lacks hardening"
done
(cd "$work/root" && hardening-check "${programs[@]}" || true) |
  grep -q "Fortify Source functions: yes" || fail "no program has a fortified call"
"$here/check_tree.sh" "$work/root" /usr "$expected" "$registry_test" "$version"
