#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root. Safe to run again:
# it only asks apt for what is missing, so a ready machine passes in a few seconds.
#
# Some machines (virtual machines whose host runs 64-bit user code only) cannot execute
# 32-bit Linux programs, and Wine's 32-bit half is one. There the script lets binfmt_misc
# run i386 programs through qemu-user; qemu 7.2 from Debian 12 ignores MAP_FIXED_NOREPLACE
# and makes every Wine start take about a minute, so qemu comes from bookworm-backports.
set -euo pipefail

packages=(cmake make g++ libgtest-dev libgmock-dev clang-format util-linux unzip man-db
          g++-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine32:i386 wine64 fonts-wine xvfb imagemagick
          libgtk-3-dev pkgconf openbox xdotool x11-utils lintian dpkg-dev procps
          # the Windows Installer package: wixl builds it, msibuild completes it, msiinfo reads it
          wixl msitools
          librsvg2-bin  # rsvg-convert: the package test renders the scalable icon
          icoutils  # icotool: reads korvane.ico back after make_icon.py
          appstream  # appstreamcli: the package test validates the metainfo
          desktop-file-utils  # desktop-file-validate: the package test checks the entry
          # GNOME's mutter for the GTK scenarios: on Xvfb, and headless on Wayland with XWayland
          mutter xwayland dbus-daemon libgl1-mesa-dri libegl-mesa0
          # KDE's kwin for them too, and its fake-input protocol for keys to Wayland windows
          kwin-x11 kwin-wayland plasma-wayland-protocols libwayland-dev libglib2.0-bin
          # GNOME Shell itself for them, its notification service (gjs) and the settings of
          # X11 programs (gsd-xsettings)
          gnome-shell gjs gnome-settings-daemon
          # Plasma's shell on kwin's Wayland desktop, its task manager read by a QML viewer
          plasma-desktop plasma-workspace kactivitymanagerd qtwayland5 qml)

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: run as root (or install sudo)" >&2; exit 1; }
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
updated=0

apt_update() {
  if [ "$updated" -eq 0 ]; then
    "${SUDO[@]}" apt-get update -q
    updated=1
  fi
}

is_installed() {
  local status
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null || true)
  [ "${status:0:2}" = "ii" ]
}

install_missing() {
  local missing=() p
  for p in "${packages[@]}"; do is_installed "$p" || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
    updated=0
  fi
  apt_update
  "${SUDO[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${missing[@]}"
}

runs_i386() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

qemu_is_recent() {
  local v
  v=$(qemu-i386-static --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p')
  [ -n "$v" ] && [ "$v" -ge 8 ]
}

# The machine's own Debian source for its release, as "URI [keyring]": backports come
# from the same mirror, whatever it is, and the repository names no host. Reads the
# deb822 .sources files first, then the one-line .list files.
debian_source() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  { cat /etc/apt/sources.list.d/*.sources 2>/dev/null; echo; } | awk -v suite="$codename" '
    BEGIN { RS = ""; FS = "\n" }
    {
      delete f
      for (i = 1; i <= NF; i++) {
        if ($i ~ /^#/ || !match($i, /^[A-Za-z-]+:[ \t]*/)) continue
        f[tolower(substr($i, 1, index($i, ":") - 1))] = " " substr($i, RLENGTH + 1) " "
      }
      if (f["types"] ~ / deb / && f["suites"] ~ (" " suite " ") && f["enabled"] !~ / no /) {
        split(f["uris"], uri, " "); split(f["signed-by"], key, " ")
        print uri[1], key[1]; exit
      }
    }'
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | awk -v suite="$codename" '
    $1 == "deb" {
      n = 2; key = ""
      if ($2 ~ /^\[/) for (; n <= NF; n++) {
        if ($n ~ /signed-by=/) { key = $n; sub(/.*signed-by=/, "", key); sub(/\]$/, "", key) }
        if ($n ~ /\]$/) { n++; break }
      }
      if ($(n + 1) == suite) { print $n, key; exit }
    }'
}

install_recent_qemu() {
  qemu_is_recent && return 0
  local list=/etc/apt/sources.list.d/bookworm-backports.sources uri key
  if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d; then
    read -r uri key < <(debian_source | head -n 1) || true
    [ -n "${uri:-}" ] || { echo "setup: no Debian source for bookworm in /etc/apt" >&2; exit 1; }
    { printf '%s\n' 'Types: deb' "URIs: $uri" 'Suites: bookworm-backports' 'Components: main'
      [ -n "${key:-}" ] && printf 'Signed-By: %s\n' "$key"; } | "${SUDO[@]}" tee "$list" >/dev/null
    updated=0
  fi
  apt_update
  "${SUDO[@]}" apt-get install -y -q --no-install-recommends -t bookworm-backports qemu-user-static
}

register_qemu_i386() {
  local dir=/proc/sys/fs/binfmt_misc entry=/proc/sys/fs/binfmt_misc/qemu-i386
  [ -e "$dir/register" ] || "${SUDO[@]}" mount -t binfmt_misc binfmt_misc "$dir"
  # An entry with the F flag holds the interpreter opened when it was registered, so an
  # entry made before qemu was upgraded must be made again.
  if [ -e "$entry" ]; then echo -1 | "${SUDO[@]}" tee "$entry" >/dev/null; fi
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    | "${SUDO[@]}" tee "$dir/register" >/dev/null
}

install_missing
if ! runs_i386; then
  echo "setup: this machine cannot run 32-bit programs itself; using qemu-user for them"
  install_recent_qemu
  register_qemu_i386
  runs_i386 || { echo "setup: 32-bit programs still do not run" >&2; exit 1; }
fi
echo "setup: ready"
