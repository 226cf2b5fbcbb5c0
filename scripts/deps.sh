#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
# Usage: scripts/deps.sh [build|demo|ci]   (build is the default)
set -euo pipefail
kind=${1:-build}
pkgs=(cmake ninja-build g++ ccache qt6-base-dev qt6-qpa-plugins libjpeg-dev libgtest-dev libgmock-dev
      libbenchmark-dev fonts-dejavu-core)
case "$kind" in
  demo) pkgs+=(libqt6widgets6 libxcb-cursor0) ;;
  ci) pkgs+=(clang libclang-rt-14-dev) ;;
esac
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
