#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run Vok C, when missing.
# Usage: scripts/setup.sh [build|bench|fuzz|deb|screenshot]...   (build is always included)
# The build group holds what `make test` needs, including the tools with which the tests
# check the manual pages, the desktop entry, the AppStream description and the package.
set -euo pipefail

pkgs=(cmake ninja-build g++ make libgtest-dev libgmock-dev qt6-base-dev qt6-translations-l10n libgl-dev fonts-liberation python3 clang-format
      man-db groff-base desktop-file-utils appstream dpkg-dev lintian pkg-config bash-completion
      xvfb openbox xdotool x11-utils)
for extra in "$@"; do
  case "$extra" in
    build) ;;
    bench) pkgs+=(bwbasic python3) ;;
    fuzz) pkgs+=(clang libclang-rt-14-dev) ;;
    deb) pkgs+=(dpkg-dev lintian file) ;;
    screenshot) pkgs+=(xvfb openbox imagemagick xdotool x11-utils) ;;
    *) echo "setup.sh: unknown group '$extra'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installation des paquets manquants : ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
