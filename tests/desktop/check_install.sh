#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what the desktop sees there: the package
# type of a .vsf, the thumbnailer's PNG, the menu entry and the icons.
# Usage: check_install.sh BUILD_DIR SAMPLE_PICTURE
set -euo pipefail
build=$1
sample=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.skinmaker.skinmaker
for f in bin/skinmaker bin/skinmaker-cli share/applications/$id.desktop \
  share/mime/packages/$id.xml share/thumbnailers/skinmaker.thumbnailer \
  share/icons/hicolor/16x16/apps/$id.png share/icons/hicolor/64x64/apps/$id.png \
  share/icons/hicolor/128x128/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
  share/icons/hicolor/scalable/apps/$id.svg \
  share/metainfo/$id.metainfo.xml share/man/man1/skinmaker.1.gz \
  share/man/man1/skinmaker-cli.1.gz share/bash-completion/completions/skinmaker-cli; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/$id.desktop"
# bin/ holds the two programs and nothing else; the flash player's files are under share/.
extra=$(ls -A "$prefix/bin" | grep -vx -e skinmaker -e skinmaker-cli || true)
[ -z "$extra" ] || { echo "more than the programs in bin/: $extra"; exit 1; }
if [ -d "$build/flashplayer" ]; then
  [ -f "$prefix/share/skinmaker/flashplayer/ruffle.js" ] || { echo "the flash player is not in share/skinmaker"; exit 1; }
fi
# The desktop entry's window class is the one the wizard's windows carry.
grep -qx 'StartupWMClass=skinmaker' "$prefix/share/applications/$id.desktop" ||
  { echo "StartupWMClass is not skinmaker"; exit 1; }

# The flash engine module, where the wizard looks for it (../lib/skinmaker/ beside bin/), as a Qt
# plugin of the engine interface.
engine=$(find "$prefix" -path '*/lib*/skinmaker/libskinflashengine.so' | head -n 1)
[ -n "$engine" ] || { echo "not installed: lib/skinmaker/libskinflashengine.so"; exit 1; }
grep -q "org.skinmaker.FlashEngineModule" "$engine" || { echo "the engine module is no plugin"; exit 1; }

# The install updated the MIME database under the prefix; GLib (which xdg-mime asks on GNOME) reads it.
package=$scratch/sample.vsf
TMPDIR=$scratch "$prefix/bin/skinmaker-cli" build -o "$package" --picture "$sample" --name sample >/dev/null
type=$(XDG_DATA_HOME=$scratch/none XDG_DATA_DIRS=$prefix/share:/usr/share XDG_CURRENT_DESKTOP=GNOME \
  xdg-mime query filetype "$package")
echo "xdg-mime query filetype: $type"
[ "$type" = "application/x-vsf-skin" ] || { echo "expected application/x-vsf-skin"; exit 1; }

# The thumbnailer's command line, as a file manager fills it in.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/thumbnailers/skinmaker.thumbnailer")
png=$scratch/thumb.png
command=${exec_line//%i/$package}
command=${command//%o/$png}
command=${command//%s/128}
PATH=$prefix/bin:$PATH eval "$command"
size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); assert d[:8]==b"\x89PNG\r\n\x1a\n"; print("%dx%d" % struct.unpack(">II", d[16:24]))' "$png")
echo "thumbnail: $size"
[ "$size" = "128x79" ] || [ "$size" = "128x78" ] || { echo "expected a 128-pixel-wide thumbnail"; exit 1; }
echo "install check passed"
