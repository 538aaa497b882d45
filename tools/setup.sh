#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root.
# Idempotent: a second run only checks and returns in seconds.
set -euo pipefail

need_root() {
  if [ "$(id -u)" != 0 ]; then
    echo "setup.sh: run as root (it installs Debian packages)" >&2
    exit 1
  fi
}

PACKAGES=(
  # cross toolchain and build
  g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  cmake make dpkg-dev ccache patch
  libz-mingw-w64-dev
  googletest
  # the native build, the sanitizers and libFuzzer (tools/fuzz.sh)
  g++ clang libclang-rt-14-dev zlib1g-dev
  # Wine (32-bit prefix) and what runs beside it
  wine wine32:i386 wine64
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  xvfb x11-apps x11-utils imagemagick
  pulseaudio pulseaudio-utils
  fonts-wine fonts-liberation fonts-dejavu-core
  # test fixture makers
  sox lame twolame mpg123 python3
  # the skins' generator (tools/make-skin.py)
  python3-pil
  # the program folder as one zip (tools/package.sh)
  zip unzip
)

missing_packages() {
  local p out=()
  for p in "${PACKAGES[@]}"; do
    # dpkg-query takes "name:arch" for foreign packages
    if ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed'; then
      out+=("$p")
    fi
  done
  echo "${out[@]:-}"
}

SRC_LIST=/etc/apt/sources.list.d/tavrix-deb-src.sources
updated=0
apt_update() {
  if [ "$updated" = 0 ]; then
    apt-get update -qq
    updated=1
  fi
}

need_root
export DEBIAN_FRONTEND=noninteractive

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  updated=0
  touch /tmp/.tavrix-apt-stale
fi

if ! grep -rqs 'deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  cat > "$SRC_LIST" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  touch /tmp/.tavrix-apt-stale
fi

missing=$(missing_packages)
if [ -n "$missing" ] || [ -e /tmp/.tavrix-apt-stale ]; then
  apt_update
  rm -f /tmp/.tavrix-apt-stale
fi
if [ -n "$missing" ]; then
  echo "setup.sh: installing $missing"
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# The source packages of the dependencies are fetched into the build's
# third-party folder by tools/deps.sh; it needs apt's source index.
if ! apt-get source --print-uris soundtouch >/dev/null 2>&1; then
  apt_update
fi
echo "setup.sh: all packages present"
