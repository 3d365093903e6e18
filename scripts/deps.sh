# Shared by scripts/run and scripts/test: installs the Debian packages the
# build needs, but only those missing, so a second run installs nothing.

ZURO_PACKAGES=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libgl-dev libx11-dev
  libjpeg-dev libwmf-dev libemf2svg-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  # Qt's own texts (standard buttons, file dialogs) in Japanese
  qt6-translations-l10n
  # the metafile reader (libwmf) will not start without its base fonts
  fonts-urw-base35
  xvfb
  # the layout check of the sources
  clang-format
  # the fuzz targets of the file readers: clang with libFuzzer
  clang libclang-rt-14-dev
)

zuro_install_missing_packages() {
  local missing=()
  local pkg
  for pkg in "${ZURO_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "error: packages are missing and this user cannot install them: ${missing[*]}" >&2
      return 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq || return 1
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
}

zuro_jobs() {
  echo "${ZURO_JOBS:-$(nproc 2>/dev/null || echo 2)}"
}
