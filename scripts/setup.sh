#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the terminal need.
# Quick when everything is present: only missing packages reach apt-get.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config clang-format
  qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev
  libcurl4-openssl-dev libssl-dev openssl
  nlohmann-json3-dev libsimdjson-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  fonts-dejavu-core xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
