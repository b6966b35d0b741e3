# The Debian packages the build needs; sourced by the tools.
PV_PACKAGES=(cmake g++ make libgtest-dev libgmock-dev qt6-base-dev libgl-dev fonts-dejavu-core desktop-file-utils)

ensure_packages() {
  local missing=()
  for p in "${PV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}
