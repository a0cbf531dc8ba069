#!/bin/sh
# Builds the Debian package from the build folder, unpacks it into a temporary
# root and checks its files, its launchers, its notes for the desktop and the
# software centre, lintian's verdict and that apt can install it here.
set -u
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "${0%/*}/checks.sh"
has() { # every path named is in the package
    for path in "$@"; do grep -qx -- "$path" "$work/files" || return 1; done
}

cpack --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; echo "FAILED: cpack"; exit 1; }
deb="$work/out/orvanta_${version}_amd64.deb"
check "the package is named orvanta_${version}_amd64.deb" [ -f "$deb" ]
[ -f "$deb" ] || exit 1

dpkg-deb -c "$deb" > "$work/listing"
awk '{ print $6 }' "$work/listing" | sed 's|^\./|/|; s|/$||' > "$work/files"
echo "--- the package's files:"; grep -v '/ldata/J' "$work/files"; echo "    ... and $(grep -c '/ldata/J.*\.ORV$' "$work/files") lessons"
check "everything belongs to root" [ "$(awk '$2 != "root/root"' "$work/listing" | wc -l)" -eq 0 ]
check "everything is under /usr" [ "$(grep -cv '^/usr' "$work/files")" -le 1 ] # "/" itself
check "the program folder holds the program" has /usr/lib/orvanta/orvanta
check "... its six sounds" [ "$(grep -c '^/usr/lib/orvanta/Sound/.*\.wav$' "$work/files")" -eq 6 ]
check "... the 96 lessons" [ "$(grep -c '^/usr/lib/orvanta/ldata/.*\.ORV$' "$work/files")" -eq 96 ]
check "... and the help" has /usr/lib/orvanta/help/help.html
check "no history file is shipped" [ "$(grep -c 'user\.cey' "$work/files")" -eq 0 ]
check "both launchers are in /usr/bin" has /usr/bin/orvanta /usr/bin/orvanta-lesson
check "the desktop entry and the lesson file type" \
    has /usr/share/applications/orvanta.desktop /usr/share/mime/packages/orvanta-lesson.xml
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
    check "the icon at $size" has "/usr/share/icons/hicolor/$size/apps/orvanta.png"
done
check "the scalable icon" has /usr/share/icons/hicolor/scalable/apps/orvanta.svg
metainfo=/usr/share/metainfo/io.github.orvanta.Orvanta.metainfo.xml
check "the AppStream entry" has "$metainfo"
check "both manual pages" has /usr/share/man/man1/orvanta.1.gz /usr/share/man/man1/orvanta-lesson.1.gz
check "the copyright and the changelog" \
    has /usr/share/doc/orvanta/copyright /usr/share/doc/orvanta/changelog.gz

depends=$(dpkg-deb -f "$deb" Depends)
echo "--- Depends: $depends"
for package in libqt6widgets6 libqt6multimedia6 fonts-noto-cjk gstreamer1.0-plugins-base \
    gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-libav \
    qt6-translations-l10n mecab-ipadic-utf8; do
    check "it depends on $package" sh -c "echo '$depends' | grep -q '$package'"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
check "the launcher starts the program in its folder" grep -q 'cd "/usr/lib/orvanta"' "$root/usr/bin/orvanta"
check "the desktop entry starts the launcher" grep -qx 'Exec=/usr/bin/orvanta %f' "$root/usr/share/applications/orvanta.desktop"
check "the unpacked orvanta-lesson runs" sh -c "'$root/usr/bin/orvanta-lesson' --help | grep -q decode"
check "... and reads the packaged lessons" \
    sh -c "'$root/usr/bin/orvanta-lesson' decode '$root/usr/lib/orvanta/ldata/J01A.ORV' | grep -q 'です'"
(cd "$root/usr/lib/orvanta" && HOME="$work/home" QT_QPA_PLATFORM=offscreen \
    timeout 3 ./orvanta > /dev/null 2>&1)
check "the unpacked program keeps running until stopped" [ $? -eq 124 ]
desktop-file-validate "$root/usr/share/applications/orvanta.desktop" > "$work/desktop.log" 2>&1
status=$?
check "desktop-file-validate accepts the desktop entry without a remark" \
    sh -c "[ $status -eq 0 ] && [ ! -s '$work/desktop.log' ]"
cat "$work/desktop.log"
for page in orvanta orvanta-lesson; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" \
        2> "$work/man.log" > "$work/$page.txt"
    check "the manual page $page(1) reads without a roff warning" \
        sh -c "[ ! -s '$work/man.log' ] && grep -q '^NAME' '$work/$page.txt'"
    cat "$work/man.log"
done
appstreamcli validate --no-net "$root$metainfo" > "$work/appstream.log" 2>&1
check "appstreamcli accepts the AppStream entry" [ $? -eq 0 ]
sed 's/^/    /' "$work/appstream.log"

lintian --tag-display-limit 0 --fail-on error "$deb" > "$work/lintian.log" 2>&1
status=$?
check "lintian reports no errors" sh -c "[ $status -eq 0 ] && ! grep -q '^E:' '$work/lintian.log'"
echo "--- lintian:"; sed 's/^/    /' "$work/lintian.log"

apt-get install --simulate "$deb" > "$work/apt.log" 2>&1
status=$?
check "apt can install the package and what it needs on this system" \
    sh -c "[ $status -eq 0 ] && grep -q '^Inst orvanta ' '$work/apt.log'"
[ "$status" -eq 0 ] || cat "$work/apt.log"

finish
