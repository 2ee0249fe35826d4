#!/usr/bin/env bash
# `cmake --install` into a staging folder (DESTDIR) for a prefix other than the one the
# build was configured for:
#   install_layout.sh BUILD_DIR EXPECTED_FILES REGISTRY_TEST VERSION
# The staged tree must have the desktop layout, and its hive must name the tool at
# its final path under the prefix, not inside the staging folder.
set -euo pipefail
build=$1 expected=$2 registry_test=$3 version=$4
here=$(dirname "$0")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix /opt/korvo >/dev/null
"$here/check_tree.sh" "$stage" /opt/korvo "$expected" "$registry_test" "$version"
