#!/usr/bin/env bash
# Builds the viewer's Debian package and prints its path; install it with
# `sudo apt-get install ./build/default/package/varnelle_<version>_<arch>.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target deb >/dev/null
ls "$PWD"/build/default/package/varnelle_*.deb
