#!/usr/bin/env bash
# Installs the Debian 12 packages Korvel needs to build, test and run, when they are missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools qt6-svg-dev libqt6svg6
  libqscintilla2-qt6-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool python3 openssl desktop-file-utils fonts-dejavu-core ccache
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Korvel needs these Debian packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo apt-get update -qq
  sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Please install them first, for example:" >&2
  echo "  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
