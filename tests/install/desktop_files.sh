#!/usr/bin/env bash
# The launcher and the AppStream entry as the desktop's own tools read them.
#   desktop_files.sh DESKTOP_FILE METAINFO_FILE MIME_FILE
set -euo pipefail
desktop-file-validate "$1"
appstreamcli validate --no-net --pedantic "$2"

# The design type: the launcher names it and opens the file it is given...
grep -qx 'MimeType=application/x-boardwright-design;' "$1"
grep -qx 'Exec=boardwright %f' "$1"
# ...and the MIME database, built from our file alone, maps both spellings to it.
mime=$(mktemp -d)
trap 'rm -rf "$mime"' EXIT
mkdir -p "$mime/packages"
cp "$3" "$mime/packages/"
update-mime-database "$mime"
for glob in '*.VELDR' '*.veldr'; do
  grep -qF "application/x-boardwright-design:$glob" "$mime/globs2" || { echo "no glob $glob in the MIME database"; exit 1; }
done
