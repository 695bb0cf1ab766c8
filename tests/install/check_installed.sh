#!/usr/bin/env bash
# Checks an installed Boardwright without changing it: every file in its standard place,
# then the program started from another folder by a user who cannot write the
# installation. The model must load through the installed registry (the picture shows
# the floor and the axes) and Exit must write the settings to the user's configuration
# folder.
#   check_installed.sh PREFIX APP_ID BUILD_DIR
set -euo pipefail
prefix=$1
app_id=$2
build=$3
fail() { echo "FAIL: $*"; exit 1; }

for file in bin/boardwright share/boardwright/registry.ini share/boardwright/vbsamples/media/vm1.x \
    "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$app_id.svg" share/boardwright/screenshots/main-window.png; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ "$(identify -format %wx%h "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
done
models=$(find "$prefix/share/boardwright/vbsamples/media" -name '*.x' | wc -l)
[ "$models" -eq "$(find "$build/share/boardwright/vbsamples/media" -name '*.x' | wc -l)" ] ||
  fail "only $models model files installed"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
home=$work/home
elsewhere=$work/elsewhere
mkdir -p "$home" "$elsewhere"
mkdir -m 700 "$home/runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  # Root may write whatever the modes say, so an ordinary user runs the program.
  chmod 755 "$work"
  chown -R 65534:65534 "$home" "$elsewhere"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
# The same question the program asks before it writes next to itself.
if "${as_user[@]}" test -w "$prefix/bin"; then fail "the user can write $prefix/bin"; fi

picture=$home/window.png
# xvfb-run -a takes the first free display from -n on; a start of our own keeps clear of
# other tests starting a server at the same moment.
(cd "$elsewhere" &&
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/runtime \
    "${as_user[@]}" xvfb-run -a -n $((200 + RANDOM % 300)) -s "-screen 0 1280x1024x24" \
    "$prefix/bin/boardwright" --screenshot "$picture")

[ -s "$picture" ] || fail "no picture written"
colours=$(convert "$picture" -format %k info:)
[ "$colours" -gt 50 ] || fail "the picture looks blank ($colours colours)"

# Pixels near one colour; the model's floor plate and axes have colours of their own.
pixels_like() {
  convert "$picture" -alpha off -fuzz 4% -fill black +opaque "$1" -fill white -opaque "$1" \
    -colorspace gray -format "%[fx:round(mean*w*h)]" info:
}
floor=$(pixels_like "rgb(95,101,114)")
echo "floor: $floor pixels"
[ "$floor" -gt 20000 ] || fail "the floor is missing: the model did not load"
for axis in "rgb(255,56,45)" "rgb(56,255,75)" "rgb(75,131,255)"; do
  count=$(pixels_like "$axis")
  echo "axis $axis: $count pixels"
  [ "$count" -ge 10 ] || fail "the axis drawn in $axis is missing"
done

settings=$home/.config/Boardwright/mbb.ini
[ -f "$settings" ] || fail "Exit wrote no settings to $settings"
grep -qE '^-?[0-9]+'$'\r''?$' "$settings" || fail "$settings does not hold a colour: $(cat -A "$settings")"
[ ! -e "$prefix/bin/mbb.ini" ] || fail "the settings were written into the installation"
[ -z "$(ls -A "$elsewhere")" ] || fail "the program left files in the folder it was started from"
echo "$prefix/bin/boardwright ran from another folder; settings written to the configuration folder"
