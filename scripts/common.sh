# Shared by ./run and ./test: install what is missing, then configure and build.
# shellcheck shell=bash

# Debian packages the build, the tests and the window need.
QUILLMERE_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
  xvfb xauth x11-utils x11-apps xdotool locales libxml2-utils poppler-utils time
  fonts-ipafont-gothic fonts-liberation2 fonts-dejavu-core
  clang libclang-rt-dev clang-format
)

# The browser edition's build and test: Debian's emscripten (no downloaded SDK) and
# chromium, node and npm for the test's puppeteer-core.
QUILLMERE_WEB_PACKAGES=(emscripten chromium)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

ensure_web_tools() {
  ensure_packages "${QUILLMERE_WEB_PACKAGES[@]}"
  command -v node >/dev/null || ensure_packages nodejs
}

ensure_web_test_tools() {
  ensure_web_tools
  # A node from elsewhere (NodeSource) brings its own npm; Debian's would conflict with it.
  command -v npm >/dev/null || ensure_packages npm
  # puppeteer-core as pinned by the lock file; it drives /usr/bin/chromium, downloads none.
  if [ ! -f web/test/node_modules/.package-lock.json ] ||
     [ web/test/package-lock.json -nt web/test/node_modules/.package-lock.json ]; then
    (cd web/test && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
  fi
}

# The locales the locale check starts the program under.
ensure_locales() {
  local loc
  for loc in de_DE ja_JP; do
    locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$" && continue
    as_root localedef -i "$loc" -c -f UTF-8 "$loc.UTF-8"
  done
}

# configure_and_build DIR [cmake options...]
# The options are applied on every call, so that a tree configured by ./run without
# -Werror gets it back for ./test; configuring an up-to-date tree takes a moment only.
configure_and_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
