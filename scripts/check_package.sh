#!/usr/bin/env bash
# Packs the build in BUILD into a Debian package and checks it: the files it holds, the runtime
# packages it depends on, and that the program unpacked into a scratch root starts (offscreen) on
# a data folder made by the packaged tool.
#   scripts/check_package.sh BUILD
set -euo pipefail
build="$(cd "${1:?usage: scripts/check_package.sh BUILD}" && pwd)"
out="$build/package-check"
rm -rf "$out" && mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || {
  cat "$out/cpack.log"
  exit 1
}
debs=("$out"/kt-invorra_*_amd64.deb)
deb="${debs[0]}"
[ -f "$deb" ] || { echo "no kt-invorra_<version>_amd64.deb in $out" >&2; exit 1; }

fail() { echo "$(basename "$deb"): $*" >&2; exit 1; }
listing="$(dpkg-deb -c "$deb" | awk '{print $NF}')"
for path in ./usr/bin/kt-invorra ./usr/bin/kt-invorra-tool \
            ./usr/share/applications/kt-invorra.desktop \
            ./usr/share/icons/hicolor/256x256/apps/kt-invorra.png \
            ./usr/share/man/man1/kt-invorra-tool.1.gz; do
  grep -qxF "$path" <<<"$listing" || fail "$path is missing"
done
depends="$(dpkg-deb -f "$deb" Depends)"
for runtime in libqt6widgets6 libqt6printsupport6 libqt6network6 libcurl4; do
  grep -q "\b$runtime\b" <<<"$depends" || fail "Depends lacks $runtime: $depends"
done

root="$out/root"
dpkg -x "$deb" "$root"
"$root/usr/bin/kt-invorra-tool" init "$root/data" >/dev/null
QT_QPA_PLATFORM=offscreen "$root/usr/bin/kt-invorra" --data "$root/data" \
  --screenshot "$out/screenshot.png" >"$out/program.log" 2>&1 || {
  cat "$out/program.log"
  fail "the unpacked program failed"
}
[ "$(head -c 8 "$out/screenshot.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "the unpacked program drew no screenshot"
echo "$(basename "$deb") holds the program, the tool, its man page, the desktop entry and the" \
  "icon; unpacked, it starts on a new data folder. Depends: $depends"
