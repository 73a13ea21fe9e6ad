#!/usr/bin/env bash
# Installs the Debian packages of the named groups; as a non-root user it only prints the
# apt-get line to run.
#   deps.sh build     what building the library, the programs and the sample database needs
#   deps.sh test      the test suite's own needs: the Firebird server and every independent reader
#   deps.sh clang     the clang toolchain of the sanitizer and fuzzer builds
set -eu

build=(cmake ninja-build g++ make pkg-config ccache googletest libgtest-dev libgmock-dev libcli11-dev
       firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils
       qt6-base-dev fonts-dejavu-core libxlsxwriter-dev zlib1g-dev)
# Readers of the exported files. LibreOffice needs its spreadsheet module for XLS, DIF and SYLK
# and its word-processor module for RTF.
test=(firebird3.0-server
      libreoffice-calc-nogui libreoffice-writer-nogui libreoffice-base-drivers
      libxml2-utils jq sqlite3 tidy xvfb xclip chromium poppler-utils
      texlive-latex-base texlive-latex-recommended texlive-lang-cyrillic cm-super-minimal
      texlive-lang-greek texlive-luatex fonts-noto-core fonts-wqy-microhei
      python3-dbfread python3-olefile python3-xlrd python3-openpyxl gnumeric)
clang=(clang libclang-rt-14-dev)

want=()
for group in "${@:-build}"; do
    case "$group" in
        build) want+=("${build[@]}") ;;
        test) want+=("${test[@]}") ;;
        clang) want+=("${clang[@]}") ;;
        *) echo "deps.sh: unknown group '$group' (build, test, clang)" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
else
    echo "Missing packages. Run:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
