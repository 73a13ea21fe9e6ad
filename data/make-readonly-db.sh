#!/usr/bin/env bash
# Copies a database and marks the copy read-only, so that Firebird opens it from a file that
# the user cannot write (an installed one):
#   make-readonly-db.sh DATABASE.gdb OUTPUT.gdb
set -eu
src=$1
out=$2
gfix=$(command -v gfix-fb || command -v gfix || true)
[ -n "$gfix" ] || { echo "gfix not found: install firebird3.0-utils" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
tmp="$out.tmp"
rm -f "$tmp"
cp "$src" "$tmp"
"$gfix" -mode read_only -user SYSDBA -password tallowfin "$tmp"
mv -f "$tmp" "$out"
