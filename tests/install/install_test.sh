#!/bin/bash
# Installs the build tree into a temporary prefix and uses the installed programs as a user would:
# the runner, started from another folder, analyses an installed example with the installed
# engine library and writes its files and a workbook there.
# usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d /tmp/vorne-prefix-XXXXXX)
work=$(mktemp -d /tmp/vorne-user-XXXXXX)
trap 'rm -rf "$prefix" "$work"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/vorne bin/vorne-desktop \
    lib/vorne/libVORNE2014_DLL.so lib/vorne/libvorne_workbook.so \
    share/doc/vorne/users-manual.md share/doc/vorne/technical-manual.md \
    share/vorne/examples/steel_pipe_layered.vr6d share/vorne/examples/steel_pipe_layered.cpt \
    share/applications/vorne.desktop share/icons/hicolor/scalable/apps/vorne.svg \
    share/mime/packages/vorne.xml; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
# Nothing of the engine beside the installed programs: they must find it through the layout.
[ ! -e "$prefix/bin/libVORNE2014_DLL.so" ] || { echo "engine library installed into bin"; exit 1; }
grep -q '^MimeType=application/x-vorne-project;$' "$prefix/share/applications/vorne.desktop"
grep -q '<glob pattern="\*.vr6d"/>' "$prefix/share/mime/packages/vorne.xml"
# Every picture a manual shows is installed beside it.
for manual in "$prefix"/share/doc/vorne/*-manual.md; do
  for picture in $(grep -o '](images/[^)]*)' "$manual" | sed 's/^](//; s/)$//'); do
    [ -e "$prefix/share/doc/vorne/$picture" ] || { echo "$manual: missing $picture"; exit 1; }
  done
done

cd "$work"
"$prefix/bin/vorne" run "$prefix/share/vorne/examples/steel_pipe_layered.vr6d" \
  --output-dir results --xlsx results/graphs.xlsx > summary.txt
grep -q 'Capacity at the pile tip' summary.txt
for output in steel_pipe_layered.vr6o steel_pipe_layered.vr6p steel_pipe_layered.gwi graphs.xlsx; do
  [ -s "results/$output" ] || { echo "no $output written"; exit 1; }
done
# The Python module, when the build tree has one, imports from the prefix and runs there.
if ls "$build"/python/vorne/_vorne*.so >/dev/null 2>&1; then
  PYTHONPATH="$prefix/lib/python3/dist-packages" /usr/bin/python3 -c "
import sys, vorne
assert vorne.__file__.startswith('$prefix'), vorne.__file__
result = vorne.run('$prefix/share/vorne/examples/steel_pipe_layered.vr6d')
assert result.tip_capacity()['API'] > 0
" || { echo "the installed Python module does not run"; exit 1; }
  [ -e "$prefix/share/vorne/examples/python/sweep.py" ] || { echo "no sweep example"; exit 1; }
fi
echo "installed programs work from $work"
