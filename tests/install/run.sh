#!/usr/bin/env bash
# Installs a build into a temporary prefix and builds applications against the installed package
# alone: a CMake project (find_package(Ostrel), CMAKE_PREFIX_PATH naming only the prefix) and the
# example compiled with the flags pkg-config gives. Runs what was built and checks its files; runs
# the installed programs on the installed sample database.
#   run.sh BUILD_DIR SOURCE_DIR WITH_QT(ON|OFF) CXX_COMPILER VERSION
set -euo pipefail

build=$(realpath "$1")
src=$(realpath "$2")
with_qt=$3
cxx=$4
version=$5
cmake=${CMAKE_COMMAND:-cmake}

work=$(realpath "$(mktemp -d "${TMPDIR:-/tmp}/ostrel-install.XXXXXXXX")")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }
# Runs a command with its output in a log that is shown only when it fails.
quiet() {
    local log=$work/step.log
    "$@" >"$log" 2>&1 || { cat "$log" >&2; fail "$*"; }
}

# Only the prefix: nothing from the environment may point the consumers elsewhere.
unset CMAKE_PREFIX_PATH PKG_CONFIG_PATH CPATH CPLUS_INCLUDE_PATH LIBRARY_PATH Ostrel_DIR

# The example's file in the C locale's conventions: a caption row and three data rows,
# tab-separated, with the columns typed by their texts.
export LC_ALL=C
expected_people=$work/people.expected
printf '%s\r\n' $'Code\tName\tBorn\tSalary' \
    $'1\tJürgen Ångström\t1/5/1974\t2,700.36' \
    $'2\tŁucja Kowalska\t12/24/1980\t3,100.50' \
    $'3\t東 太郎\t3/3/1969\t1,234,567.89' >"$expected_people"

step "cmake --install $build --prefix <temporary prefix>"
quiet "$cmake" --install "$build" --prefix "$prefix"

step "installed files"
libostrel=$(find "$prefix" -name libostrel.a -print -quit)
[ -n "$libostrel" ] || fail "libostrel.a not installed"
libdir=$(dirname "$libostrel")
expect=(include/ostrel/engine/IB_Ostrel.h include/ostrel/engine/Classes.h
        include/ostrel/platform/FormatSettings.h include/ostrel/platform/Graphics.h
        include/ostrel/exporters/text/IB_OstrelASCII.h include/ostrel/exporters/sheet/IB_OstrelXLS.h
        include/ostrel/sources/MemControls.h include/ostrel/data/IB_Query.h
        include/ostrel/dialog/IB_OstrelDialog.h include/ostrel/dialog/DialogExporters.h
        bin/ostrel-export share/ostrel/country.gdb)
for lib in libostrel.a libostrel_ib.a libostrel_dialog.a cmake/Ostrel/OstrelConfig.cmake \
           cmake/Ostrel/OstrelConfigVersion.cmake cmake/Ostrel/OstrelTargets.cmake \
           pkgconfig/ostrel.pc pkgconfig/ostrel-ib.pc pkgconfig/ostrel-dialog.pc; do
    expect+=("${libdir#"$prefix"/}/$lib")
done
if [ "$with_qt" = ON ]; then
    expect+=(include/ostrel/dialog/qt/QtLayer.h include/ostrel/dialog/qt/QtStringGrid.h
             include/ostrel/dialog/qt/IB_OstrelDialogF.h bin/ostrel-demo
             "${libdir#"$prefix"/}/libostrel_qt.a" "${libdir#"$prefix"/}/cmake/Ostrel/OstrelQtTargets.cmake"
             "${libdir#"$prefix"/}/pkgconfig/ostrel-qt.pc")
fi
for f in "${expect[@]}"; do
    [ -e "$prefix/$f" ] || fail "$f not installed"
done
# Helpers that only the libraries' own sources use stay out.
for f in include/ostrel/platform/ByteOrder.h include/ostrel/data/IbClient.h \
         include/ostrel/dialog/qt/DialogPage.h include/ostrel/data/country.sql; do
    [ ! -e "$prefix/$f" ] || fail "$f installed"
done
# Every header of the source folders that are installed whole is there.
for dir in engine platform sources exporters/text exporters/sheet; do
    for h in "$src/$dir"/*.h; do
        case "${h##*/}" in ByteOrder.h | Memory.h | CompoundFile.h) continue ;; esac
        [ -e "$prefix/include/ostrel/$dir/${h##*/}" ] || fail "$dir/${h##*/} not installed"
    done
done

step "no path of the source or build tree in the installed files"
leaks=$(grep -rlF -e "$src" -e "$build" "$prefix" || true)
[ -z "$leaks" ] || fail "paths of the build leak into: $leaks"

step "CMake consumer (find_package(Ostrel 2.0), WITH_QT=$with_qt)"
consumer_src=$work/consumer-src
cp -r "$src/tests/install/consumer" "$consumer_src"
cp "$src/examples/export_table.cpp" "$consumer_src/"
quiet "$cmake" -S "$consumer_src" -B "$work/consumer" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" -DWITH_QT="$with_qt"
grep -q "Ostrel $version found in $prefix/" "$work/step.log" || { cat "$work/step.log"; fail "Ostrel not found in the prefix"; }
quiet "$cmake" --build "$work/consumer" -j 2

mkdir "$work/out-cmake"
quiet "$work/consumer/export_table" "$work/out-cmake"
cmp "$work/out-cmake/people.txt" "$expected_people" || fail "export_table (CMake) wrote another file"

quiet "$work/consumer/query_export" "$prefix/share/ostrel/country.gdb" "$work/countries.csv"
grep -qx "197 rows" "$work/step.log" && grep -qx "2 dialog columns" "$work/step.log" \
    || { cat "$work/step.log"; fail "query_export"; }
[ "$(wc -l <"$work/countries.csv")" -eq 198 ] || fail "countries.csv: $(wc -l <"$work/countries.csv") lines"
grep -q '"AT","Austria"' "$work/countries.csv" || fail "countries.csv lacks Austria"

if [ "$with_qt" = ON ]; then
    quiet env QT_QPA_PLATFORM=offscreen "$work/consumer/qt_consumer" "$work/grid.csv"
    grep -qx "2 rows" "$work/step.log" || { cat "$work/step.log"; fail "qt_consumer"; }
    grep -q 'Ångström' "$work/grid.csv" || fail "grid.csv lacks its rows"
fi

step "pkg-config consumer"
export PKG_CONFIG_PATH=$libdir/pkgconfig
[ "$(pkg-config --modversion ostrel)" = "$version" ] || fail "ostrel.pc version"
[ "$(realpath "$(pkg-config --variable=includedir ostrel)")" = "$prefix/include/ostrel" ] \
    || fail "ostrel.pc includedir $(pkg-config --variable=includedir ostrel)"
# Static libraries: --static adds what they link (Requires.private, Libs.private).
read -r -a flags <<<"$(pkg-config --static --cflags --libs ostrel)"
quiet "$cxx" -std=c++20 -o "$work/export_table_pc" "$consumer_src/export_table.cpp" "${flags[@]}"
mkdir "$work/out-pc"
quiet "$work/export_table_pc" "$work/out-pc"
cmp "$work/out-pc/people.txt" "$expected_people" || fail "export_table (pkg-config) wrote another file"
read -r -a flags <<<"$(pkg-config --static --cflags --libs ostrel-ib ostrel-dialog)"
quiet "$cxx" -std=c++20 -o "$work/query_export_pc" "$consumer_src/query_export.cpp" "${flags[@]}"
quiet "$work/query_export_pc" "$prefix/share/ostrel/country.gdb" "$work/countries_pc.csv"
cmp "$work/countries_pc.csv" "$work/countries.csv" || fail "query_export (pkg-config) wrote another file"
if [ "$with_qt" = ON ]; then
    read -r -a flags <<<"$(pkg-config --static --cflags --libs ostrel-qt)"
    quiet "$cxx" -std=c++20 -o "$work/qt_consumer_pc" "$consumer_src/qt_consumer.cpp" "${flags[@]}"
    quiet env QT_QPA_PLATFORM=offscreen "$work/qt_consumer_pc" "$work/grid_pc.csv"
    cmp "$work/grid_pc.csv" "$work/grid.csv" || fail "qt_consumer (pkg-config) wrote another file"
fi
has() {  # has MODULE FLAG...: the static link line of MODULE carries every FLAG
    local line=" $(pkg-config --static --libs "$1") "
    shift
    for f in "$@"; do [[ "$line" == *" $f "* ]] || fail "pkg-config --static --libs: no $f in $line"; done
}
has ostrel-ib -lostrel_ib -lostrel -ldl
has ostrel-dialog -lostrel_dialog -lostrel
[ "$with_qt" != ON ] || has ostrel-qt -lostrel_qt -lostrel_dialog -lostrel -lQt6Widgets

step "installed programs on the installed sample database"
quiet "$prefix/bin/ostrel-export" --database "$prefix/share/ostrel/country.gdb" --password tallowfin \
    --sql "select code, name from country" "$work/export.csv"
[ "$(wc -l <"$work/export.csv")" -eq 198 ] || fail "ostrel-export: $(wc -l <"$work/export.csv") lines"
if [ "$with_qt" = ON ]; then
    # No database beside the installed demo: it takes the one in the data folder.
    mkdir "$work/shots"
    quiet env QT_QPA_PLATFORM=offscreen "$prefix/bin/ostrel-demo" --screenshots "$work/shots"
    ! grep -q '^ostrel-demo:' "$work/step.log" || { cat "$work/step.log"; fail "ostrel-demo"; }
    [ -s "$work/shots/demo-1-dataset.png" ] || fail "ostrel-demo wrote no pictures"
fi

echo "installed package: all checks passed"
