#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
# Usage: scripts/deps.sh [build|demo|fuzz|ci]   (build is the default)
#   build  compilers, Qt, libraries, test frameworks, the test font
#   demo   build, plus what a Qt window needs on a desktop
#   fuzz   build, plus clang and libFuzzer for exploring with the fuzz targets
#   ci     build, plus the outside programs the test suite checks its files with (the tests
#          skip those checks, saying so, where one is missing)
set -euo pipefail
kind=${1:-build}
pkgs=(cmake ninja-build g++ ccache lld qt6-base-dev qt6-qpa-plugins qt6-svg-dev libjpeg-dev libgtest-dev libgmock-dev
      libbenchmark-dev fonts-dejavu-core)
# Outside programs of the test suite, one line per area of files they check.
# The outside programs the tests call, by package: dxf2pdf (librecad), djpeg and cjpeg
# (libjpeg-turbo-progs), wmf2svg (libwmf-bin, with fonts-urw-base35), soffice (libreoffice-draw-nogui),
# pdfinfo and pdftoppm (poppler-utils), rsvg-convert (librsvg2-bin), xvfb-run (xvfb),
# icotool (icoutils), convert and import (imagemagick), Xvfb (xvfb), xdotool.
tools_fuzz=(clang libclang-rt-14-dev)
tools_dxf=(python3-ezdxf librecad librecad-data openscad-testing-data poppler-utils)
tools_pictures=(libjpeg-turbo-progs imagemagick libwmf-bin fonts-urw-base35 poppler-utils librsvg2-bin
                icoutils emf2svg printemf libreoffice-draw-nogui)
tools_libraries=(xvfb xauth xclip)
tools_widgets=()
tools_convert=(imagemagick poppler-utils librsvg2-bin python3-ezdxf libwmf-bin emf2svg)
tools_demo=(xvfb xauth xdotool imagemagick)
case "$kind" in
  demo) pkgs+=(libqt6widgets6 libxcb-cursor0) ;;
  fuzz) pkgs+=("${tools_fuzz[@]}") ;;
  ci) pkgs+=("${tools_dxf[@]}" "${tools_pictures[@]}" "${tools_libraries[@]}"
             "${tools_widgets[@]}" "${tools_demo[@]}" "${tools_convert[@]}") ;;
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
