#!/usr/bin/env bash
# Builds the Debian package (a release build with hardening) into build-package/.
# Prints the path of the .deb on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ensure_packages "${QUILLMERE_PACKAGES[@]}" dpkg-dev
ensure_packages "${QUILLMERE_WEB_PACKAGES[@]}"

configure_and_build build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DQUILLMERE_HARDEN=ON -DQUILLMERE_WERROR=ON -DQUILLMERE_WEB=ON >/dev/null
(cd build-package && cpack -G DEB >/dev/null)
ls -t build-package/quillmere_*.deb | head -n 1
