#!/bin/bash
# Builds the Debian package of the build tree with cpack into a temporary folder and checks it
# with lintian: any error (E:) or warning (W:) fails. Skipped (status 77) without lintian.
# usage: lintian_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd -P)
command -v lintian >/dev/null || { echo "lintian is not installed: skipped"; exit 77; }
out=$(mktemp -d /tmp/vorne-deb-XXXXXX)
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
  || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
# --no-cfg: the machine's own lintian settings do not change the verdict. Informational tags are
# shown for the reader; only errors and warnings fail, as does lintian failing to run.
status=0
lintian --no-cfg --display-info --fail-on error,warning "$deb" >"$out/lintian.log" 2>&1 || status=$?
cat "$out/lintian.log"
if [ "$status" != 0 ] || grep -qE '^[EW]: ' "$out/lintian.log"; then
  echo "lintian reports errors or warnings on ${deb##*/} (status $status)"
  exit 1
fi
echo "${deb##*/}: lintian clean"
