# Shared by run.sh and test.sh: installs the Debian packages that are missing.
# Usage: ensure_packages NAME...

ensure_packages() {
  local missing=()
  local name
  for name in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$name")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libcli11-dev libssl-dev libicu-dev nlohmann-json3-dev libcmark-gfm-dev libcmark-gfm-extensions-dev)
GUI_PACKAGES=(qt6-base-dev qt6-webengine-dev libgl-dev libxkbcommon-dev fonts-liberation fonts-dejavu-core)
TEST_PACKAGES=(googletest libgtest-dev libxml2-utils xhtml-relaxng cmark-gfm acl bash-completion zsh fish git)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
BENCH_PACKAGES=(xvfb x11-utils openbox libx11-dev)
# What scripts/package.sh needs to build the .deb (dpkg-shlibdeps), and test.sh to check it.
PACKAGE_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream man-db bash-completion)
