#!/usr/bin/env bash
# Makes the Windows release on Linux: cross-builds kadropisets.exe and kadr.exe with Qt for
# Windows (scripts/build-qt-windows.sh, built once per machine) and packs
#   dist/kadropisets-<version>-win64/       the programs with everything they need beside them
#   dist/kadropisets-<version>-win64.zip    that folder
#   dist/kadropisets-<version>-setup.exe    the installer (NSIS)
# The DLLs are the ones the programs and plug-ins import, followed from import to import.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-win-app

scripts/install-deps.sh windows
step() { printf '\n=== %s ===\n' "$*"; }

step "Qt for Windows"
cache=$(scripts/build-qt-windows.sh)
qt=$cache/qt
version=$(sed -n 's/^project(Kadropisets VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
name=kadropisets-$version-win64
dist=$root/dist/$name

step "cross-build kadropisets.exe and kadr.exe"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DKADR_TESTS=OFF -DKADR_BENCH=OFF \
    -DGIF_INCLUDE_DIR="$cache/giflib/include" -DGIF_LIBRARY="$cache/giflib/lib/libgif.a" \
    "${launcher[@]}" >"$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$(nproc)" --target kadropisets kadr

step "the folder $name"
rm -rf "$dist" "$dist.zip" "$root/dist/kadropisets-$version-setup.exe"
mkdir -p "$dist/platforms" "$dist/imageformats" "$dist/styles" "$dist/translations" "$dist/licences"
cp "$build/bin/kadropisets.exe" "$build/bin/kadr.exe" "$dist/"
cp "$qt/plugins/platforms/qwindows.dll" "$dist/platforms/"
cp "$qt"/plugins/imageformats/*.dll "$dist/imageformats/"
# The native look of buttons and boxes on Windows Vista to 11.
cp "$qt"/plugins/styles/*.dll "$dist/styles/"
x86_64-w64-mingw32-strip --strip-unneeded "$dist"/*.exe

# DLLs: wherever the compiler's runtime and Qt's own are; an import found in none of these
# is one of Windows' own.
gcc_dll_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
search=("$qt/bin" "$gcc_dll_dir" /usr/x86_64-w64-mingw32/lib)
declare -A seen=()
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }
follow() {
    local dll dir
    for dll in $(imports "$1"); do
        [ -n "${seen[${dll,,}]:-}" ] && continue
        seen[${dll,,}]=1
        for dir in "${search[@]}"; do
            if [ -f "$dir/$dll" ]; then
                cp "$dir/$dll" "$dist/"
                follow "$dist/$dll"
                break
            fi
        done
    done
}
for binary in "$dist"/*.exe "$dist"/platforms/*.dll "$dist"/imageformats/*.dll "$dist"/styles/*.dll; do
    follow "$binary"
done

# Qt finds its plug-ins beside the programs and its translations below them.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$dist/qt.conf"
cp /usr/share/qt6/translations/qtbase_ru.qm "$dist/translations/"
cp windows/kadropisets.ico "$dist/"
# Notepad on Windows 7 reads UTF-8 only with the byte-order mark.
{
    printf '\xef\xbb\xbf'
    sed "s/@VERSION@/$version/" windows/readme-ru.txt | sed 's/$/\r/'
} >"$dist/README.txt"
cp -r "$cache/licences/." "$dist/licences/"
for doc in gcc-mingw-w64-base mingw-w64-common; do
    [ -f "/usr/share/doc/$doc/copyright" ] && cp "/usr/share/doc/$doc/copyright" "$dist/licences/$doc-copyright"
done

step "the zip and the installer"
(cd "$root/dist" && zip -q -r -9 "$name.zip" "$name")
# What the uninstaller removes: exactly these files and folders, deepest first.
nsis=$build/nsis
mkdir -p "$nsis"
(cd "$dist" && find . -type f | sed 's|^\./||; s|/|\\|g' | sort) |
    sed 's|^|Delete "$INSTDIR\\|; s|$|"|' >"$nsis/files.nsh"
(cd "$dist" && find . -mindepth 1 -type d | sed 's|^\./||; s|/|\\|g' | sort -r) |
    sed 's|^|RMDir "$INSTDIR\\|; s|$|"|' >"$nsis/dirs.nsh"
makensis -V2 -INPUTCHARSET UTF8 \
    "-DVERSION=$version" "-DDIST=$dist" "-DFILELIST=$nsis/files.nsh" "-DDIRLIST=$nsis/dirs.nsh" \
    "-DOUTFILE=$root/dist/kadropisets-$version-setup.exe" windows/installer.nsi >"$nsis/makensis.log" 2>&1 ||
    { cat "$nsis/makensis.log"; exit 1; }

step "made"
(cd "$root/dist" && du -sh "$name" "$name.zip" "kadropisets-$version-setup.exe")
