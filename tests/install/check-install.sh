#!/usr/bin/env bash
# usage: check-install.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1
dest=$2
id=org.tavellesuite.Tavrin
rm -rf "$dest"
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
root="$dest/usr"
failed=0
fail() { echo "install_check: $*" >&2; failed=1; }

expected=(
  bin/tavrin bin/tavrin-cli
  share/tavrin/help share/tavrin/TNSkins share/tavrin/Demo.tni share/tavrin/Demo
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/mime/packages/$id.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
  share/man/man1/tavrin.1.gz share/man/man1/tavrin-cli.1.gz
  share/bash-completion/completions/tavrin-cli
  share/doc/tavelle-suite/copyright share/doc/tavelle-suite/changelog.gz
)
for size in 16 22 24 32 48 64 128 256 512; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for f in "${expected[@]}"; do
  [ -e "$root/$f" ] || fail "missing $f"
done
for size in 16 48 512; do
  png="$root/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -e "$png" ] && [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] ||
    fail "$png is not ${size}x${size}"
done

desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --explain "$root/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "metainfo: $(appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml")"
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' \
  "$root/share/mime/packages/$id.xml" || fail "MIME package is no XML"
bash -n "$root/share/bash-completion/completions/tavrin-cli" || fail "completion script"

for page in tavrin tavrin-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

# The installed programs run from the installed tree.
version=$("$root/bin/tavrin-cli" --version) || fail "tavrin-cli --version failed"
[[ $version == "tavrin-cli "* ]] || fail "tavrin-cli --version said '$version'"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/tavrin" --version) || fail "tavrin --version failed"
[[ $version == "tavrin "* ]] || fail "tavrin --version said '$version'"

# Every command that tavrin-cli knows is in its manual page and its completion.
commands=$("$root/bin/tavrin-cli" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' | sort -u)
[ -n "$commands" ] || fail "no commands in tavrin-cli --help"
for c in $commands; do
  zgrep -q "^\.BI* ${c//-/\\\\-}\b" "$root/share/man/man1/tavrin-cli.1.gz" || fail "man page lacks $c"
  grep -qw -- "$c" "$root/share/bash-completion/completions/tavrin-cli" || fail "completion lacks $c"
done

exit $failed
