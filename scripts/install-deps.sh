#!/usr/bin/env bash
# Installs every Debian package that the build, the tests and the screenshots
# need (the install test checks the menu entry with desktop-file-validate, our
# file types with update-mime-database, mimetype and gio, the AppStream entry with
# appstreamcli and the manual pages with man; the package test runs lintian on
# the .deb; the screen-reader test reads the window over AT-SPI on buses of
# its own), and generates the
# de_DE.UTF-8 locale. Does nothing when all of them are already there.
# scripts/windows-core-check.sh installs the cross compiler and wine itself.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev
  clang-14 libclang-rt-14-dev
  fonts-ipafont-gothic
  xvfb xdotool imagemagick x11-utils
  python3-pyatspi at-spi2-core dbus-daemon dbus-bin
  locales
  desktop-file-utils shared-mime-info libfile-mimeinfo-perl libglib2.0-bin
  appstream man-db lintian
)

# A locale whose decimal separator is a comma, so that the number reader is
# shown not to follow the locale (DecimalConversionPortable).
comma_locale=de_DE.UTF-8
has_comma_locale() { locale -a 2>/dev/null | grep -ix 'de_DE\.utf-\?8' >/dev/null; }

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ] && has_comma_locale; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if ! has_comma_locale; then
  echo "Generating the locale ${comma_locale}"
  # Debian's locale-gen builds the locales enabled in /etc/locale.gen.
  if grep -q "^# *${comma_locale} UTF-8" /etc/locale.gen; then
    "${sudo_cmd[@]}" sed -i "s/^# *${comma_locale} UTF-8/${comma_locale} UTF-8/" /etc/locale.gen
  elif ! grep -q "^${comma_locale} UTF-8" /etc/locale.gen; then
    echo "${comma_locale} UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo_cmd[@]}" locale-gen
  has_comma_locale || { echo "install-deps.sh: ${comma_locale} is still missing" >&2; exit 1; }
fi
