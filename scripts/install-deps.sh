#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the local quote service need,
# skipping the package manager entirely when everything is already there.
set -euo pipefail
# locales holds the definitions localedef builds the tests' decimal-comma locale from.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libcpp-httplib-dev libgtest-dev
          libgmock-dev libbenchmark-dev fonts-liberation fonts-dejavu-core xvfb locales libxcb1-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
