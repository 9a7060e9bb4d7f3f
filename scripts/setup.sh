#!/usr/bin/env bash
# Installs the build and run dependencies of Zorvane on Debian 12, only those missing.
set -euo pipefail

packages=(
  build-essential
  cmake
  ninja-build
  ccache
  qt6-base-dev
  qt6-translations-l10n
  libsqlite3-dev
  nlohmann-json3-dev
  libgtest-dev
  fonts-arphic-uming
  fonts-wqy-zenhei
  fonts-liberation2
  poppler-utils
  python3-ezdxf
  qt6-svg-dev
  desktop-file-utils
  libxml2-utils
  shared-mime-info
  file
  dpkg-dev
  fakeroot
  lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
