#!/usr/bin/env bash
# Builds libpng for MinGW-w64 from Debian's source package, into PREFIX
# (default build/windows-deps); its sources go to PREFIX-src. The machine's own apt lists stay untouched:
# a private source list is written from its configuration (main suite only,
# whose source files are published).
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$(realpath -m "${1:-build/windows-deps}")
[[ -f $prefix/lib/libpng.a ]] && exit 0

work=$prefix-src
rm -rf "$work"
mkdir -p "$work/lists/partial" "$work/src"

# deb-src entries for the first suite of every non-security stanza.
sources=$work/sources.list
: >"$sources"
shopt -s nullglob
for f in /etc/apt/sources.list.d/*.sources; do
  awk -v out="$sources" '
    function flush() {
      if (uri != "" && uri !~ /security/) print "deb-src [signed-by=" key "] " uri " " suite " " comps >> out
      uri = ""; suite = ""; comps = ""; key = ""
    }
    /^[[:space:]]*$/ { flush(); next }
    /^URIs:/ { uri = $2 }
    /^Suites:/ { suite = $2 }
    /^Components:/ { $1 = ""; comps = substr($0, 2) }
    /^Signed-By:/ { key = $2 }
    END { flush() }' "$f"
done
if [[ -f /etc/apt/sources.list ]]; then
  awk '$1 == "deb" && $0 !~ /security/ { $1 = "deb-src"; print }' /etc/apt/sources.list >>"$sources"
fi
[[ -s $sources ]] || { echo "build-libpng-mingw.sh: no apt source to take libpng's source from" >&2; exit 1; }

apt_opts=(-o "Dir::Etc::sourcelist=$sources" -o "Dir::Etc::sourceparts=-" -o "Dir::State::Lists=$work/lists"
          -o "APT::Get::List-Cleanup=0" -o "APT::Sandbox::User=root")
apt-get "${apt_opts[@]}" update -qq
(cd "$work/src" && apt-get "${apt_opts[@]}" source --download-only -qq libpng1.6)
tarball=$(ls "$work"/src/libpng1.6_*.orig.tar.* | head -n 1)
tar -xf "$tarball" -C "$work"
srcdir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libpng-*' | head -n 1)

cmake -S "$srcdir" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_TOOLS=OFF \
  -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include >/dev/null
cmake --build "$work/build" -j"$(nproc)" >/dev/null
cmake --install "$work/build" >/dev/null
echo "libpng for MinGW-w64 in $prefix"
