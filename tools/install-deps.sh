#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Both README commands call it; it does nothing when everything is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libjsoncpp-dev qt6-base-dev libxcb1-dev libzip-dev libutfcpp-dev libcpp-httplib-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libcurl4-openssl-dev
  clang libclang-rt-14-dev zip
  fonts-wqy-microhei fonts-noto-color-emoji qt6-translations-l10n
  xvfb xauth trayer xdotool x11-utils imagemagick openbox xcompmgr dbus python3-dbus python3-gi
  desktop-file-utils appstream gcovr
  chromium chromium-driver python3-selenium
  qt6-speech-dev qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  speech-dispatcher-audio-plugins qt6-multimedia-dev
  qt6-declarative-dev  # Qt6TextToSpeech's CMake files need QmlIntegration, undeclared in Debian 12
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}; run this script as root to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
