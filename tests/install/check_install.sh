#!/usr/bin/env bash
# Installs a build into a fresh prefix, twice (an install over an older one),
# and checks the tree as a user meets it: every file in its place, the
# desktop entry valid, both programs working from another folder, the
# translations found in the installed data folder, the shell completion, the
# manual pages clean.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
prefix=$(mktemp -d) work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "installing over the last install"

for f in bin/vellumscanner bin/vsdoc share/applications/vellumscanner.desktop \
         share/icons/hicolor/scalable/apps/vellumscanner.svg share/icons/hicolor/48x48/apps/vellumscanner.png \
         share/mime/packages/vellumscanner.xml share/vellumscanner/vellumscanner.info \
         share/vellumscanner/Catalogs/deutsch/Vellumscanner.catalog share/man/man1/vellumscanner.1 \
         share/man/man1/vsdoc.1 share/bash-completion/completions/vsdoc; do
  [ -s "$prefix/$f" ] || fail "$f is missing"
done
[ "$(head -c 4 "$prefix/share/icons/hicolor/48x48/apps/vellumscanner.png" | tail -c 3)" = "PNG" ] || fail "the icon is no PNG"

entry=$prefix/share/applications/vellumscanner.desktop
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -q '^Icon=vellumscanner$' "$entry" || fail "no Icon="
# one file a start: with %F a second file selected would reach the program
# as the function name of the first
grep -q '^Exec=.*vellumscanner %f$' "$entry" || fail "no %f in Exec="
grep -q '^MimeType=.*application/x-vellumscanner-base;.*text/x-amigaguide;' "$entry" || fail "no MimeType="
grep -q 'value="::Vellumscanner:: \$ver: "' "$prefix/share/mime/packages/vellumscanner.xml" || fail "no base magic"

cd "$work"
printf 'struct Node {\n};\n' > 'a folder ä.h'
[ "$("$prefix/bin/vsdoc" index 'a folder ä.h' | head -n 1)" = "$(printf 'HDOC\tstruct ...')" ] || fail "vsdoc index"
"$prefix/bin/vsdoc" --version | grep -q '^vsdoc ' || fail "vsdoc --version"
printf '\001\002' > binary.doc
german=$(LANGUAGE=de "$prefix/bin/vsdoc" index binary.doc 2>&1 || true)
[ "$german" = "$(printf 'Datei l\303\244sst sich nicht \303\266ffnen:\nbinary.doc')" ] || fail "no installed catalog: $german"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/vellumscanner" --help) ||
  fail "vellumscanner --help needs a display"
case $help in *"FILE_NAME/A, FUNC_NAME/F"*) ;; *) fail "no template in --help" ;; esac
rc=0; "$prefix/bin/vellumscanner" --bogus 2>/dev/null || rc=$?
[ $rc -eq 2 ] || fail "an unknown option gave $rc"

# completion: commands, and the entry names of the document given
completions=$(PATH="$prefix/bin:$PATH" bash -c '
  source "$1"
  complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=(); _vsdoc; echo "${COMPREPLY[*]}"; }
  complete_words vsdoc sh
  complete_words vsdoc show "$2" No' _ "$prefix/share/bash-completion/completions/vsdoc" "$work/a folder ä.h")
[ "$completions" = "$(printf 'show\nNode')" ] || fail "bash completion gave: $completions"

for page in vellumscanner vsdoc; do
  warnings=$(MANWIDTH=80 man -l --warnings "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
echo "installed tree checked"
