#!/usr/bin/env bash
# Makes the Debian package dist/kadropisets_<version>_<arch>.deb: both programs built with
# Debian's hardening flags and stripped, the menu entry, the icon (drawn by
# scripts/draw-linux-icons.py), the MIME type of display files, the AppStream metainfo, the
# manual pages (made from the programs' own help by scripts/make-man-pages.py) and the bash
# completion. Dependencies are worked out by dpkg-shlibdeps. The version is the project's
# (CMakeLists.txt). KADR_WEB_URL is where the metainfo's screenshot is found.
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022

scripts/install-deps.sh linux

app_id=ru.tarnovik.kadropisets
maintainer="Кадрописец developers <kadropisets@users.noreply.invalid>"
web_url=${KADR_WEB_URL:-https://kadropisets.invalid}
version=$(sed -n 's/^project(Kadropisets VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
build=build-deb
root=$build/root
deb=dist/kadropisets_${version}_${arch}.deb
# The last commit's time dates the release, the changelog, the pages and the files, rather than
# the moment the package happened to be made.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}

echo "=== build kadr and kadropisets $version with Debian's flags"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    # Objects compiled in another clone of the repository are found again.
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
fi
# Without the flags that write the source folder into the objects (the binaries are stripped of
# what it would change), so that the cache above matches.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=-fixfilepath,-fixdebugpath"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DKADR_TESTS=OFF -DKADR_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS) -DNDEBUG" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target kadr kadropisets

echo "=== lay out the package in $root"
rm -rf "$root" "$build/man"
mkdir -p "$root/DEBIAN" "$build/man"
share=$root/usr/share
install -D -m 0755 -t "$root/usr/bin" "$build/bin/kadr" "$build/bin/kadropisets"
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$root"/usr/bin/*
install -D -m 0644 linux/kadropisets.desktop "$share/applications/$app_id.desktop"
install -D -m 0644 linux/kadropisets-mime.xml "$share/mime/packages/$app_id.xml"
release_date=$(date -u -d "@$SOURCE_DATE_EPOCH" +%F)
mkdir -p "$share/metainfo"
sed -e "s/@APP_ID@/$app_id/g" -e "s/@VERSION@/$version/" -e "s/@DATE@/$release_date/" \
    -e "s|@SCREENSHOT@|$web_url/docs/editor.png|" linux/kadropisets.metainfo.xml.in \
    >"$share/metainfo/$app_id.metainfo.xml"
python3 scripts/draw-linux-icons.py "$share/icons"
python3 scripts/make-man-pages.py "$root/usr/bin/kadr" "$root/usr/bin/kadropisets" "$build/man" \
    "$release_date"
mkdir -p "$share/man/man1"
for page in "$build"/man/*.1; do
    gzip -9n <"$page" >"$share/man/man1/$(basename "$page").gz"
done
install -D -m 0644 linux/kadr.bash-completion "$share/bash-completion/completions/kadr"
install -D -m 0644 linux/copyright "$share/doc/kadropisets/copyright"
sed -e "s/@VERSION@/$version/" -e "s/@MAINTAINER@/$maintainer/" \
    -e "s/@DATE@/$(date -u -R -d "@$SOURCE_DATE_EPOCH")/" linux/changelog.in |
    gzip -9n >"$share/doc/kadropisets/changelog.gz"

echo "=== dependencies and control files"
# dpkg-shlibdeps reads the package names from a debian/control of its own.
shlib_dir=$build/shlibdeps
mkdir -p "$shlib_dir/debian"
printf 'Source: kadropisets\n\nPackage: kadropisets\nArchitecture: any\n' >"$shlib_dir/debian/control"
depends=$(cd "$shlib_dir" && dpkg-shlibdeps -O "$OLDPWD/$root/usr/bin/kadr" \
    "$OLDPWD/$root/usr/bin/kadropisets" | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "dpkg-shlibdeps found no dependencies" >&2; exit 1; }
size=$(du -sk --apparent-size --exclude=DEBIAN "$root" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@MAINTAINER@/$maintainer/" \
    -e "s/@SIZE@/$size/" -e "s/@DEPENDS@/$depends/" linux/control.in >"$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p dist
rm -f "$deb"
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "=== $deb: $(du -k "$deb" | cut -f1) KB, depends on: $depends"
