#!/usr/bin/env bash
# Installs the build into a fresh prefix that, like a system folder, its user cannot
# write, then checks the installation as a user meets it.
#   installed_program.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
app_id=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
chmod -R a-w "$work/prefix"
# Others may read it, as they may read /usr.
chmod 755 "$work"
"$(dirname "$0")/check_installed.sh" "$work/prefix" "$app_id" "$build"
