#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests, the fuzzers, the benchmarks and the
# asset tool need. Installs only what is missing, so running it again is quick.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config make
    clang libclang-rt-14-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-dev libx11-dev libxss-dev libpng-dev zlib1g-dev libjpeg62-turbo-dev libvorbisidec-dev
    libmpg123-dev libopenmpt-dev lame
    libfreetype-dev libfontconfig-dev fonts-dejavu-core
    libpixman-1-dev
    libcairo2-dev libvorbis-dev libogg-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
