#!/usr/bin/env bash
# The launcher and the AppStream entry as the desktop's own tools read them.
#   desktop_files.sh DESKTOP_FILE METAINFO_FILE
set -euo pipefail
desktop-file-validate "$1"
appstreamcli validate --no-net --pedantic "$2"
