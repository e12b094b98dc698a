# Shared by scripts/run and scripts/test: installs the missing Debian packages (as root),
# then configures and builds into build/ (or, with TAGWRIGHT_SANITIZE=1, a Debug build with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/). Sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
CONFIGURE=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${TAGWRIGHT_SANITIZE:-0}" = 1 ]; then
  BUILD="$ROOT/build-asan"
  CONFIGURE=(-DCMAKE_BUILD_TYPE=Debug -DTAGWRIGHT_SANITIZE=ON)
fi

PACKAGES=(
  cmake ninja-build g++ pkg-config ccache dpkg-dev file appstream desktop-file-utils
  qt6-base-dev libqt6sql6-sqlite libxkbcommon-dev libgl-dev
  libgtest-dev libbenchmark-dev
  fonts-liberation2 fonts-urw-base35 libwmf-dev mdbtools-dev
  postgresql libpq-dev libqt6sql6-psql
  xvfb xauth xdotool x11-apps imagemagick poppler-utils
  cups printer-driver-cups-pdf
)

install_packages() {
  local missing=()
  for pkg in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Install them with:" >&2
    echo "  sudo apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_all() {
  if [ ! -f "$BUILD/build.ninja" ]; then
    # ccache makes rebuilds in a fresh clone (CI, a second checkout) cheap; paths are hashed
    # relative to the checkout so clones share one cache.
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$ROOT" -B "$BUILD" -G Ninja "${CONFIGURE[@]}" "${launcher[@]}"
  fi
  export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
  cmake --build "$BUILD" -j "$(nproc)"
}

install_packages
build_all
