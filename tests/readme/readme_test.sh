#!/usr/bin/env bash
# Runs the commands that the README gives, exactly as it gives them, and checks
# what each promises: the run command opens the window (and says so when there
# is no display), the install lays out files that the validators accept, the
# package is whole and its program starts, the Windows build makes its zip.
# The test command itself is the one running this. Run from scripts/test.sh.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/x11/lib.sh
work=$(mktemp -d)
start_x
trap 'stop_x; rm -rf "$work"' EXIT

documented() {  # documented COMMAND: the README shows it verbatim
  check "README gives '$1'" grep -qF -- "$1" README.md
}

# A program that maps its window and ends with exit code 0 on Esc.
check_window_then_esc() {  # check_window_then_esc WHAT COMMAND...
  local what=$1 pid win code
  shift
  "$@" >"$work/out.txt" 2>&1 &
  pid=$!
  win=$(wait_for_window '^Quillora$' 120)
  check "$what: the window maps" test -n "$win"
  sleep 0.5
  xdotool key Escape
  wait "$pid"
  code=$?
  check "$what: Esc ends it with exit code 0" eq "$code" 0
}

# Run: with a display, then without one.
documented "bash scripts/run.sh"
check_window_then_esc "run command" bash scripts/run.sh
env -u DISPLAY bash scripts/run.sh >"$work/run.txt" 2>&1
code=$?
check "run command without a display fails" test "$code" -ne 0
check "... and says why" grep -q "DISPLAY is not set" "$work/run.txt"

# Install, and the validators on what it laid out.
documented "cmake --install build --prefix"
cmake --install build --prefix "$work/prefix" >/dev/null
id=com.quillora.Quillora
for f in bin/quillora share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/man/man1/quillora.1.gz \
         share/doc/quillora/copyright; do
  check "installed $f" test -f "$work/prefix/$f"
done
for size in 16 24 32 48 64 72 96 128 256; do
  check "icon ${size}x${size}" eq "$(identify -format '%wx%h' "$work/prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")" "${size}x${size}"
done
check "desktop-file-validate accepts the desktop entry" desktop-file-validate "$work/prefix/share/applications/$id.desktop"
appstream_ok() { appstreamcli validate --no-net "$1" >"$work/appstream.txt" 2>&1 || { cat "$work/appstream.txt"; return 1; }; }
check "appstreamcli accepts the metainfo" appstream_ok "$work/prefix/share/metainfo/$id.metainfo.xml"
check "the installed program prints its version" grep -q '^Quillora ' <("$work/prefix/bin/quillora" --version)

# The Debian package.
documented "bash scripts/package.sh"
bash scripts/package.sh >/dev/null
deb=$(ls dist/quillora_*_amd64.deb 2>/dev/null | head -n 1)
check "the package is built" test -f "$deb"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
check "named with the project version" eq "$(basename "$deb")" "quillora_${version}_amd64.deb"
documented "sudo apt install ./dist/quillora_${version}_amd64.deb"
documented "sudo apt remove quillora"
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents.txt"
for f in ./usr/bin/quillora ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/icons/hicolor/48x48/apps/$id.png ./usr/share/man/man1/quillora.1.gz \
         ./usr/share/doc/quillora/copyright; do
  check "the package holds $f" grep -qxF "$f" "$work/contents.txt"
done
depends=$(dpkg-deb -f "$deb" Depends)
for dep in fonts-noto-cjk xdg-utils libfltk1.3 libpng16-16 libc6; do
  check "Depends names $dep" grep -q "\b$dep\b" <<<"$depends"
done
lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1
check "lintian finds no error" eq "$?" 0
grep '^E:' "$work/lintian.txt"
dpkg-deb -x "$deb" "$work/extracted"
check_window_then_esc "the packaged program" "$work/extracted/usr/bin/quillora"

# Installing it for real needs root and a machine where it is not installed yet.
if [[ $(id -u) -eq 0 ]] && ! dpkg-query -W -f='${Status}' quillora 2>/dev/null | grep -q 'install ok installed'; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >"$work/apt.txt" 2>&1
  check "apt installs the package" eq "$?" 0
  check "the menu entry is in place" test -f /usr/share/applications/$id.desktop
  check_window_then_esc "the installed program" quillora
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quillora >>"$work/apt.txt" 2>&1
  check "apt removes it again" test ! -e /usr/bin/quillora
else
  echo "skipped - installing with apt (needs root, and quillora not already installed)"
fi

# The Windows build and its zip.
documented "bash scripts/build-windows.sh"
bash scripts/build-windows.sh >/dev/null
zip=dist/quillora-$version-win64.zip
check "the Windows zip is built" test -f "$zip"
cmake -E tar tf "$zip" >"$work/zip.txt"
check "the zip holds quillora.exe" grep -qx "quillora-$version-win64/quillora.exe" "$work/zip.txt"
check "the zip holds README.txt" grep -qx "quillora-$version-win64/README.txt" "$work/zip.txt"
(cd "$work" && cmake -E tar xf "$OLDPWD/$zip")
check "its README names the version" grep -q "$version" "$work/quillora-$version-win64/README.txt"
check "its exe is the one this build made" cmp -s "$work/quillora-$version-win64/quillora.exe" build/windows/app/quillora.exe

# The driver's example, taken from the README's code block.
example=$(awk '/^```/ { if (inside && block ~ /quillora-headless --now/) printf "%s", block; block = ""; inside = !inside; next }
               inside { block = block $0 "\n" }' README.md)
check "the README's driver example is found" test -n "$example"
check "the driver example reports an age" grep -q '岁了' <(bash -c "$example" 2>&1)

# The README's screenshots come from the X-server test's.
documented "bash scripts/update-screenshots.sh"
if [[ -f build/screenshots/linux-result.png ]]; then
  bash scripts/update-screenshots.sh "$work/docs" >/dev/null
  check "the screenshot script copies both pages" test -f "$work/docs/entry-page.png" -a -f "$work/docs/result-page.png"
fi
for page in entry result; do
  check "the README shows docs/$page-page.png" grep -qF "docs/$page-page.png" README.md
  check "docs/$page-page.png is committed" git ls-files --error-unmatch "docs/$page-page.png"
done

documented "bash scripts/test.sh"
echo "$FAILURES failed"
exit $((FAILURES > 0))
