#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks every installed file the desktop reads:
# the desktop entry, the AppStream metainfo, the icons and the manual pages. Any complaint
# from a validator fails the check.
set -euo pipefail
build=$1
id=$2

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
expect_file() { [ -f "$prefix/$1" ] || fail "not installed: $1"; }

for f in bin/VNHLxx_HRxx_GUI bin/pulsegen-sim; do
    [ -x "$prefix/$f" ] || fail "not installed as a program: $f"
done
expect_file "share/applications/$id.desktop"
expect_file "share/metainfo/$id.metainfo.xml"
expect_file "share/icons/hicolor/scalable/apps/$id.svg"
for size in 48 128 256; do
    icon="share/icons/hicolor/${size}x${size}/apps/$id.png"
    expect_file "$icon"
    [ -f "$prefix/$icon" ] && { file "$prefix/$icon" | grep -q "PNG image data, $size x $size," \
        || fail "$icon is not a $size px PNG"; }
done

echo "desktop-file-validate"
out=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) \
    || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"

echo "appstreamcli validate"
# --no-net: the screenshot lives on the maker's site, which this check must not depend on.
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml" \
    || fail "appstreamcli validate"

echo "man --warnings"
for page in VNHLxx_HRxx_GUI pulsegen-sim; do
    file="$prefix/share/man/man1/$page.1.gz"
    expect_file "share/man/man1/$page.1.gz"
    [ -f "$file" ] || continue
    # As Debian's lintian checks a page: every groff warning counts.
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null) \
        || fail "man $page exited with an error: $warnings"
    [ -z "$warnings" ] || fail "man --warnings $page: $warnings"
    # The page must render to text that names what it is about.
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "^NAME" \
        || fail "man $page renders no NAME section"
done

# The installed program answers without the build tree around it.
"$prefix/bin/VNHLxx_HRxx_GUI" --version | grep -q "^VNHLxx_HRxx_GUI " \
    || fail "installed program does not answer --version"

[ "$failed" -eq 0 ] && echo "install checks passed"
exit "$failed"
