#!/bin/bash
# Installs the build into a temporary prefix as `cmake --install` does for a
# user, and checks that a desktop finds what it needs there: the three
# programs, a desktop entry and icons for each, the model file types, and the
# sample models the help starts from.
#   install_test.sh BUILD_DIR CMAKE EXAMPLES_DIR
set -u
build=$1 cmake=$2 examples=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; rm -f "$prefix.log"; fail "cmake --install"; exit 1; }
rm -f "$prefix.log"

for program in strativa plurimod monovara; do
  [ -x "$prefix/bin/$program" ] || fail "no program $prefix/bin/$program"
  entry="$prefix/share/applications/$program.desktop"
  [ -f "$entry" ] || { fail "no desktop entry $entry"; continue; }
  grep -qx "Exec=$program %f" "$entry" || fail "$entry does not start $program with the file"
  grep -qx "Icon=$program" "$entry" || fail "$entry names no icon $program"
  grep -qx "Categories=Education;Science;" "$entry" || fail "$entry has other categories"
  grep -q "^MimeType=application/x-$program-model;$" "$entry" || fail "$entry opens no model files"
  for size in 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$program.png"
    [ -s "$icon" ] || { fail "no icon $icon"; continue; }
    # A PNG of the size its folder names (width and height in the header).
    read -r w h < <(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4, $7*256+$8}')
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$icon is ${w}x${h}"
  done
done

# Each installed program carries its own help topics (resource names are
# stored as UTF-16) and no other program's.
carries() { printf '%s' "$2" | iconv -f ascii -t UTF-16BE | grep -q -a -F -f - "$prefix/bin/$1"; }
for pair in "strativa:stage_matrix.html" "plurimod:dispersal_correlation.html" "monovara:batch_runs.html"; do
  program=${pair%%:*} topic=${pair#*:}
  carries "$program" contexts.txt || fail "$program carries no help"
  carries "$program" "$topic" || fail "$program lacks its help topic $topic"
  for other in strativa plurimod monovara; do
    [ "$other" = "$program" ] || ! carries "$other" "$topic" || fail "$other carries $program's topic $topic"
  done
done

mime="$prefix/share/mime/packages/population-models.xml"
if [ -f "$mime" ]; then
  for pair in "strativa:*.st" "plurimod:*.mp" "monovara:*.sp"; do
    program=${pair%%:*} glob=${pair#*:}
    grep -q "type=\"application/x-$program-model\"" "$mime" || fail "$mime lacks the $program model type"
    grep -qF "pattern=\"$glob\"" "$mime" || fail "$mime lacks $glob"
  done
  # The shared database tool reads the file as a desktop would.
  if command -v update-mime-database >/dev/null; then
    out=$(XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" 2>&1) || fail "update-mime-database: $out"
    [ -z "$out" ] || fail "update-mime-database: $out"
    grep -q "application/x-strativa-model:\*\.st" "$prefix/share/mime/globs" 2>/dev/null || fail "the database has no *.st"
  fi
else
  fail "no MIME type file $mime"
fi

# The sample models are installed unchanged, and each program's first-steps
# topic names samples a user finds there.
samples="$prefix/share/population-suite/examples"
for sample in "$examples"/*; do
  installed="$samples/$(basename "$sample")"
  [ -f "$installed" ] || { fail "sample $(basename "$sample") is not installed in $samples"; continue; }
  cmp -s "$sample" "$installed" || fail "$installed differs from $sample"
done
for program in strativa plurimod monovara; do
  topic="$examples/../src/help/$program/getting_started.html"
  [ -f "$topic" ] || { fail "no topic $topic"; continue; }
  grep -q "share/population-suite/examples" "$topic" || fail "$topic does not say where the samples are"
  named=$(grep -o '<b>[A-Za-z0-9_]*\.\(st\|mp\|sp\|map\)</b>' "$topic" | sed 's/<[^>]*>//g')
  [ -n "$named" ] || fail "$topic names no sample"
  for sample in $named; do
    [ -f "$samples/$sample" ] || fail "$topic names $sample, which is not installed"
  done
done

# The installed programs run from their new place (a batch run of a sample).
work=$(mktemp -d)
cp "$examples/meadow_herb.st" "$examples/marsh_frogs.sp" "$work/"
(cd "$work" && "$prefix/bin/strativa" /RUN=Y /RAN=7 /REP=20 meadow_herb.st >/dev/null 2>&1) || fail "installed strativa did not run a model"
(cd "$work" && "$prefix/bin/monovara" /RUN=Y /RAN=7 /REP=20 marsh_frogs.sp >/dev/null 2>&1) || fail "installed monovara did not run a model"
rm -rf "$work"

if command -v desktop-file-validate >/dev/null; then
  for program in strativa plurimod monovara; do
    # Its hints are advice, not faults: two main categories (Education and
    # Science, both where ecologists look) draw one.
    out=$(desktop-file-validate --no-hints "$prefix/share/applications/$program.desktop" 2>&1) || fail "desktop-file-validate $program: $out"
    [ -z "$out" ] || fail "desktop-file-validate $program: $out"
  done
else
  echo "desktop-file-validate is not installed (Debian package desktop-file-utils): the desktop entries were not validated"
  [ $failures -eq 0 ] && exit 77
fi

[ $failures -eq 0 ] && echo "installed and found: programs, desktop entries, icons, MIME types, sample models"
exit $((failures > 0))
