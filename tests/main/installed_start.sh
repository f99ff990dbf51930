#!/usr/bin/env bash
# The installed program's start: cmake --install into a fresh prefix, then check-installed.sh.
#   installed_start.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
prefix=$(mktemp -d /tmp/numora-prefix.XXXXXX)
trap 'rm -rf "$prefix"' EXIT
chmod 755 "$prefix"
cmake --install "$build_dir" --prefix "$prefix" > /dev/null
# The program folder as a system installation leaves it: not writable by the user who runs it.
[ "$(id -u)" -eq 0 ] || chmod -R a-w "$prefix/lib/numora"
"$source_dir/scripts/check-installed.sh" "$prefix"
[ "$(id -u)" -eq 0 ] || chmod -R u+w "$prefix/lib/numora"
