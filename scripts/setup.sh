#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; does nothing when all is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ nsis googletest libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  mingw-w64 wine64 wine xvfb xauth x11-utils imagemagick python3 python3-pytest
  locales fonts-ipafont-gothic clang clang-format libfuzzer-14-dev xdotool
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# The tray program's Japanese start-up messages are tested under a Japanese user locale.
if ! locale -a | grep -qix 'ja_JP.utf8'; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
fi
