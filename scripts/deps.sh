#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; as a non-root user it only
# prints the apt-get line to run.
set -eu
want=(cmake ninja-build g++ make pkg-config googletest libgtest-dev libgmock-dev
      clang libclang-rt-14-dev libcli11-dev firebird-dev libfbclient2
      # independent readers of the exported files, for the `readers` tests
      libreoffice-calc-nogui libreoffice-base-drivers libxml2-utils sqlite3 firebird3.0-server-core firebird3.0-server firebird3.0-utils
      texlive-latex-base texlive-latex-recommended texlive-lang-cyrillic cm-super-minimal poppler-utils xvfb xclip chromium tidy python3-dbfread python3-olefile python3-xlrd)
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
