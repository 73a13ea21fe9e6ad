#!/usr/bin/env bash
# Creates the demo's sample database from its SQL script with Firebird's embedded engine:
#   make-sample-db.sh SCRIPT OUTPUT.gdb
set -eu
script=$1
out=$2
isql=$(command -v isql-fb || command -v isql || true)
[ -n "$isql" ] || { echo "isql-fb not found: install firebird3.0-utils" >&2; exit 1; }
tmp="$out.tmp"
rm -f "$tmp"
echo "CREATE DATABASE '$tmp' USER 'SYSDBA' PASSWORD 'tallowfin' DEFAULT CHARACTER SET UTF8;" |
    "$isql" -q -u SYSDBA -p tallowfin
"$isql" -q -bail -ch UTF8 -u SYSDBA -p tallowfin -i "$script" "$tmp"
mv -f "$tmp" "$out"
