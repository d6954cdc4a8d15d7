#!/usr/bin/env bash
# Installs the Debian packages this project needs, only those that are missing.
# usage: scripts/install-deps.sh run|test|windows|linux
set -euo pipefail

# libudev-dev (found through pkg-config): the serial ports the system has, as udev knows them.
run_packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev libgif-dev nlohmann-json3-dev fonts-dejavu-core pkg-config libudev-dev)
test_packages=("${run_packages[@]}" libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth gifsicle zlib1g-dev)
# The Windows cross-build, its packages and its tests under wine: googletest sources from
# libgtest-dev; Qt for Windows built from Debian's own qt6-base and giflib sources (apt-get
# source needs dpkg-dev; the installed qt6-base-dev gives the version and the host tools); the
# Russian Qt texts; the zip and the NSIS installer; Xvfb and xdotool drive the editor under wine;
# the Linux build (its kadr the results are compared with) needs what running needs.
windows_packages=("${run_packages[@]}" gcc libgtest-dev g++-mingw-w64-x86-64-posix wine64 wine
    dpkg-dev zip unzip nsis xvfb xauth xdotool)
# The Debian package and its proof: dpkg-buildflags and dpkg-shlibdeps (dpkg-dev), the icon and
# the manual pages drawn and written by Python scripts, the three validators and man to render
# the pages, xdg-utils with the shared-mime-info reader it needs outside a desktop
# (libfile-mimeinfo-perl) to find the editor for a display file, Xvfb and xdotool to start it
# and find its window.
linux_packages=("${run_packages[@]}" dpkg-dev python3 lintian desktop-file-utils appstream
    shared-mime-info man-db xdg-utils libfile-mimeinfo-perl xvfb xauth xdotool)

case "${1:-test}" in
    run) wanted=("${run_packages[@]}") ;;
    test) wanted=("${test_packages[@]}") ;;
    windows) wanted=("${windows_packages[@]}") ;;
    linux) wanted=("${linux_packages[@]}") ;;
    *) echo "usage: $0 run|test|windows|linux" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
