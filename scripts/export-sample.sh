#!/usr/bin/env bash
# The main job: exports the sample database into every file format under one folder.
set -eu
bin=${1:-build/bin}
out=${2:-out}
mkdir -p "$out"
out=$(cd "$out" && pwd)
for ext in txt csv dif slk xml json jsonl sql tex htm rtf doc xls xlsx dbf; do
    extra=()
    [ "$ext" = sql ] && extra=(--table COUNTRY --create-table --commit-at-end)
    "$bin/ostrel-export" --database "$bin/country.gdb" --password tallowfin \
        --sql "select * from country order by id" -q "${extra[@]}" "$out/country.$ext"
done
echo "Exported the sample database (197 countries) into $out:"
ls -l "$out" | tail -n +2
