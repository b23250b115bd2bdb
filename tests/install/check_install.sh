#!/usr/bin/env bash
# The installed program, as a collector gets it: an install into a staging
# folder and, where dpkg-deb exists, the Debian package unpacked into a
# temporary root. Each tree must hold exactly the expected files, pass the
# desktop, AppStream, MIME and manual-page validators, and run: the in-process
# checks of tst_installed, and the real program opening a collection given on
# its command line under a virtual display.
#
# usage: check_install.sh BUILD_DIR SOURCE_DIR TST_INSTALLED
set -euo pipefail
build=$1
source=$2
tst_installed=$3
id=org.tessaran.TessaranV
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

check_tree() {
    local root=$1 what=$2
    echo "== $what"
    (cd "$root" && find . \( -type f -o -type l \) | LC_ALL=C sort) > "$work/files.txt"
    diff -u "$source/tests/install/expected_files.txt" "$work/files.txt" || fail "$what: the files differ from the expected list"

    desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "$what: desktop entry"
    appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" > "$work/as.txt" 2>&1 \
        || { cat "$work/as.txt"; fail "$what: AppStream metadata"; }
    # Unpacked side by side, so each page finds the other one it refers to.
    rm -rf "$work/man" && mkdir -p "$work/man"
    for page in tessaran tessaran-rnd; do
        gzip -dc "$root/usr/share/man/man1/$page.1.gz" > "$work/man/$page.1"
    done
    for page in tessaran tessaran-rnd; do
        (cd "$work/man" && mandoc -T lint "$page.1") || fail "$what: manual page $page"
    done
    rm -rf "$work/mime" && mkdir -p "$work/mime/packages"
    cp "$root/usr/share/mime/packages/$id.xml" "$work/mime/packages/"
    XDG_DATA_HOME="$work" update-mime-database "$work/mime" 2> "$work/mime.err" || fail "$what: MIME package"
    [ ! -s "$work/mime.err" ] || { cat "$work/mime.err"; fail "$what: MIME package warnings"; }
    grep -q 'application/x-tessaran-collection:\*\.rnd' "$work/mime/globs2" || fail "$what: *.rnd is not the collection type"
    grep -q 'TESSARAN V kaleidoscope collection' "$work/mime/application/x-tessaran-collection.xml" \
        || fail "$what: MIME description"

    TESSARAN_STAGED_ROOT=$root QT_QPA_PLATFORM=offscreen "$tst_installed" || fail "$what: the installed program's files"

    # The real program, given a collection on its command line, under a virtual display.
    local home="$work/home" demo="$work/home/scopes.rnd"
    rm -rf "$home" && mkdir -p "$home"
    cp "$root/usr/share/tessaran/demo.rnd" "$demo" && chmod u+w "$demo"
    printf 'short' > "$home/short.rnd"
    # Run again, once, when the virtual display went away under the program
    # (another xvfb-run -a on this machine can take the same display number).
    local attempt
    for attempt in 1 2; do
        HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb \
            xvfb-run -a -s "-screen 0 1366x768x24" bash -c '
            bin=$1 demo=$2 short=$3
            # How many windows match, once at least want of them are there (90 s at
            # most: a sanitized build on a busy machine starts slowly).
            windows() {
                local n=0
                for _ in $(seq 180); do
                    n=$(xdotool search --name "$1" 2>/dev/null | wc -l)
                    [ "$n" -ge "$2" ] && break
                    sleep 0.5
                done
                echo "$n"
            }
            "$bin" "$demo" & pid=$!
            opened=$(windows "^Database file: $demo " 1)
            # The desktop entry names the window class the docks tie the window to.
            classed=$(xdotool search --classname "^$4\$" 2>/dev/null | wc -l)
            kill $pid; wait $pid 2>/dev/null
            "$bin" "$short" & pid=$!
            boxes=$(windows "^TESSARAN V\$" 2)
            refused=$(xdotool search --name "^Database file: " 2>/dev/null | wc -l)
            kill $pid; wait $pid 2>/dev/null
            echo "$opened $refused $boxes $classed"
            ' _ "$root/usr/bin/tessaran" "$demo" "$home/short.rnd" \
            "$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/$id.desktop")" > "$work/windows.txt" \
            2> "$work/windows.err"
        grep -q 'could not connect to display' "$work/windows.err" || break
        echo "the virtual display went away (attempt $attempt):" && cat "$work/windows.err"
    done
    read -r opened refused boxes classed < "$work/windows.txt"
    [ "$opened" -ge 1 ] || fail "$what: tessaran FILE.rnd did not open the collection (windows: $opened $refused $boxes)"
    [ "$refused" -eq 0 ] || fail "$what: tessaran opened a file that is no collection (windows: $opened $refused $boxes)"
    [ "$boxes" -ge 2 ] || fail "$what: no message for a file that is no collection (windows: $opened $refused $boxes)"
    [ ! -e "$root/usr/share/tessaran/tessaran_colors.dat" ] || fail "$what: wrote below the prefix"
    [ "$classed" -ge 1 ] || fail "$what: no window of the desktop entry's StartupWMClass"
    # The recent list names the user's collections: its folder is the user's alone.
    [ "$(stat -c %a "$home/.config/$id")" = 700 ] || fail "$what: $home/.config/$id is not 0700"
    # Help and version answer without a display.
    env -u DISPLAY "$root/usr/bin/tessaran" --help | grep -q '^usage: tessaran \[FILE.rnd\]' || fail "$what: --help"
    env -u DISPLAY "$root/usr/bin/tessaran" --version | grep -qx 'tessaran [0-9.]*' || fail "$what: --version"
    local code=0
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$root/usr/bin/tessaran" --frobnicate 2> /dev/null || code=$?
    [ "$code" -eq 2 ] || fail "$what: an unknown option ends with $code, not 2"
    echo "$what: ok"
}

DESTDIR="$work/stage" cmake --install "$build" --prefix /usr > /dev/null
check_tree "$work/stage" "install into a staging folder"

if ! command -v dpkg-deb > /dev/null || ! command -v dpkg-shlibdeps > /dev/null; then
    echo "SKIP: dpkg-deb or dpkg-shlibdeps is missing, the Debian package was not checked"
    exit 0
fi
(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/tessaran_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | LC_ALL=C sort > "$work/deb-files.txt"
diff -u "$source/tests/install/expected_files.txt" "$work/deb-files.txt" || fail "the package's files differ"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package's dependencies were not worked out"
dpkg-deb -f "$deb" Recommends | grep -qw 'qt6-wayland' || fail "the package does not bring Qt's Wayland platform"
dpkg-deb -e "$deb" "$work/control"
[ -x "$work/control/postinst" ] && [ -x "$work/control/postrm" ] || fail "maintainer scripts"
dpkg -x "$deb" "$work/unpacked"
check_tree "$work/unpacked" "the Debian package unpacked"
