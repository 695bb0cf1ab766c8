#!/usr/bin/env bash
# Builds the Debian package and tries it on this machine: dpkg -i, the installed program's
# --version, the installation as a user meets it (tests/install/check_installed.sh), the
# libraries it loads against the package's dependencies, then dpkg -r and a look that
# nothing stayed behind. Needs root for dpkg; leaves the package uninstalled.
#   packaging/check-deb.sh [BUILD_DIR]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$source_dir/build/default}" && pwd)
fail() { echo "FAIL: $*"; exit 1; }

desktop_files=("$build"/packaging/*.desktop)
app_id=$(basename "${desktop_files[0]}" .desktop)
if dpkg-query -W -f='${Status}' boardwright 2>/dev/null | grep -q "ok installed"; then
  fail "boardwright is installed already; remove it first"
fi

echo "== cpack"
rm -f "$build"/packages/boardwright_*.deb
(cd "$build" && cpack --config CPackConfig.cmake >/dev/null)
debs=("$build"/packages/boardwright_*.deb)
deb=${debs[0]}
echo "$deb"
dpkg-deb -f "$deb" Depends

echo "== dpkg -i"
trap 'dpkg -r boardwright >/dev/null 2>&1 || true' EXIT
dpkg -i "$deb"

echo "== boardwright --version (no display)"
version=$(cd / && env -u DISPLAY -u WAYLAND_DISPLAY boardwright --version)
echo "$version"
[ "$(head -1 <<<"$version")" = "boardwright $(dpkg-deb -f "$deb" Version)" ] || fail "wrong version line"

echo "== the installed program"
"$source_dir/tests/install/check_installed.sh" /usr "$app_id" "$build"

echo "== libraries against the dependencies"
# The package that ships a file, wherever merged /usr puts it.
owner() {
  local candidate
  for candidate in "$1" "/usr$1" "${1#/usr}"; do
    dpkg -S "$candidate" 2>/dev/null | head -1 | cut -d: -f1 && return 0
  done
  return 1
}
# Qt loads its X11, OpenGL and SVG plugins at run time, and Mesa its software driver.
qt_plugins=/usr/lib/x86_64-linux-gnu/qt6/plugins
loaded=(/usr/bin/boardwright "$qt_plugins"/platforms/libqxcb.so "$qt_plugins"/xcbglintegrations/*.so
  "$qt_plugins"/imageformats/libqsvg.so "$qt_plugins"/iconengines/libqsvgicon.so
  /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so)
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances boardwright | grep -v '^ ' | sort -u)
missing=0
for file in $( (printf '%s\n' "${loaded[@]}"; ldd "${loaded[@]}" | awk '/=> \//{print $3}') | sort -u); do
  package=$(owner "$file") || { echo "no package ships $file"; missing=1; continue; }
  grep -qx "$package" <<<"$closure" || { echo "$file comes from $package, not a dependency"; missing=1; }
done
[ "$missing" -eq 0 ] || fail "the package does not bring everything the program loads"
echo "every library comes with the dependencies"

echo "== dpkg -r"
files=$(dpkg-deb -c "$deb" | awk '{print substr($6, 2)}' | grep -v '/$')
dpkg -r boardwright
trap - EXIT
! dpkg-query -W -f='${Status}' boardwright 2>/dev/null | grep -q "ok installed" || fail "still installed"
for file in $files /usr/share/boardwright /usr/bin/mbb.ini; do
  [ ! -e "$file" ] || fail "$file is left behind"
done
echo "removed; nothing left behind"
