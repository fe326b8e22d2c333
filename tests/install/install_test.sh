#!/bin/bash
# Installs the build tree into a temporary prefix and uses the installed programs as a user would:
# the runner, started from another folder, analyses an installed example with the installed
# engine library and writes its files and a workbook there. The installed binaries carry no path
# of the build machine, and the manuals are found with share/doc removed, as minimal systems do.
# usage: install_test.sh BUILD_DIR SOURCE_DIR all|except-source-files
#   all: no installed binary may name the source or build tree; except-source-files: names of
#   source files (*.cpp, *.h) are let pass, which assertions and the sanitizers keep.
set -euo pipefail
build=$(cd "$1" && pwd -P)
source=$(cd "$2" && pwd -P)
path_check=${3:-all}
prefix=$(mktemp -d /tmp/vorne-prefix-XXXXXX)
work=$(mktemp -d /tmp/vorne-user-XXXXXX)
trap 'rm -rf "$prefix" "$work"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/vorne bin/vorne-desktop \
    lib/vorne/libVORNE2014_DLL.so lib/vorne/libvorne_workbook.so \
    share/vorne/doc/users-manual.md share/vorne/doc/technical-manual.md \
    share/vorne/examples/steel_pipe_layered.vr6d share/vorne/examples/steel_pipe_layered.cpt \
    share/man/man1/vorne.1.gz share/man/man1/vorne-desktop.1.gz \
    share/doc/vorne/copyright share/doc/vorne/changelog.Debian.gz \
    share/applications/vorne.desktop share/icons/hicolor/scalable/apps/vorne.svg \
    share/mime/packages/vorne.xml; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
# Nothing of the engine beside the installed programs: they must find it through the layout.
[ ! -e "$prefix/bin/libVORNE2014_DLL.so" ] || { echo "engine library installed into bin"; exit 1; }
grep -q '^MimeType=application/x-vorne-project;$' "$prefix/share/applications/vorne.desktop"
grep -q '<glob pattern="\*.vr6d"/>' "$prefix/share/mime/packages/vorne.xml"

# No installed binary names the trees it was built from (debugging sections aside, which the
# package strips).
found=0
while IFS= read -r binary; do
  stripped="$work/stripped"
  objcopy --strip-debug "$binary" "$stripped"
  # Both 8-bit texts and UTF-16 ones (QStringLiteral).
  leaks=$({ strings -n 8 "$stripped"; strings -n 8 -e l "$stripped"; } |
    grep -F -e "$source" -e "$build" || true)
  if [ "$path_check" = except-source-files ]; then
    leaks=$(printf '%s\n' "$leaks" | grep -Ev '\.(cpp|h)$' | grep . || true)
  fi
  if [ -n "$leaks" ]; then
    echo "${binary#"$prefix"/} names the build machine's folders:"
    printf '%s\n' "$leaks" | head -5 | sed 's/^/  /'
    found=1
  fi
done < <(find "$prefix" -type f \( -perm -u+x -o -name '*.so' \) -exec sh -c \
  'head -c 4 "$1" | grep -q "ELF" && echo "$1"' _ {} \;)
rm -f "$work/stripped"
[ "$found" = 0 ] || exit 1

# A minimal system leaves out share/doc: the manuals and every picture they show stay, and the
# installed programs find them.
rm -rf "$prefix/share/doc"
for manual in "$prefix"/share/vorne/doc/*-manual.md; do
  for picture in $(grep -o '](images/[^)]*)' "$manual" | sed 's/^](//; s/)$//'); do
    [ -e "$prefix/share/vorne/doc/$picture" ] || { echo "$manual: missing $picture"; exit 1; }
  done
done
"$prefix/bin/vorne" --help | grep -qxF "The user's and technical manuals are in $prefix/share/vorne/doc." \
  || { echo "the installed runner does not find its manuals"; exit 1; }

cd "$work"
# The installed examples are kept as shipped, also for a user who could write there: a run
# without --output-dir says where the outputs may go and writes nothing.
examples="$prefix/share/vorne/examples"
before=$(ls -A "$examples")
status=0
"$prefix/bin/vorne" run "$examples/steel_pipe_layered.vr6d" > summary.txt 2> error.txt || status=$?
[ "$status" = 1 ] || { echo "run beside the installed examples: status $status"; exit 1; }
grep -qF "vorne: $examples: the examples installed with vorne are kept as shipped" error.txt \
  && grep -qF -- "--output-dir" error.txt || { echo "unexpected message:"; cat error.txt; exit 1; }
[ "$(ls -A "$examples")" = "$before" ] || { echo "files written beside the installed examples"; exit 1; }

"$prefix/bin/vorne" run "$examples/steel_pipe_layered.vr6d" \
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
