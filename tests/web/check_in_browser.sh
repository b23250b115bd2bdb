#!/bin/bash
# The web catalogue in a real browser: headless Chromium loads the catalogue of
# the demo collection; the table holds every kaleidoscope, and the page's own
# search, asked for in the address (#q=...), leaves the right rows.
# Usage: check_in_browser.sh BIN_DIR. Exits 77 (skipped) without Chromium.
set -euo pipefail
bin=$1
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
    echo "Chromium is not installed: the browser check is skipped."
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/tessaran-rnd" web "$bin/demo.rnd" "$work/catalogue" --no-prices >/dev/null 2>&1

dump() {
    # No network, no first-run work, a profile of its own.
    "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile" --virtual-time-budget=5000 --dump-dom "$1" 2>/dev/null
}
fail() {
    echo "FAIL: $*"
    exit 1
}

page="file://$work/catalogue/index.html"
all=$(dump "$page")
rows=$(grep -o '<tr data-text' <<<"$all" | wc -l)
[ "$rows" -eq 45 ] || fail "the table holds $rows rows, not 45"
grep -q '45 of 45 kaleidoscopes' <<<"$all" || fail "the search's count is missing"
grep -q 'id="search" hidden' <<<"$all" && fail "the search box stayed hidden"

blue=$(dump "$page#q=blue")
shown=$(grep -o '<tr data-text="[^"]*">' <<<"$blue" | wc -l)
hidden=$(grep -o '<tr data-text="[^"]*" hidden="">' <<<"$blue" | wc -l)
[ "$shown" -eq 5 ] || fail "#q=blue leaves $shown rows, not 5"
[ "$hidden" -eq 40 ] || fail "#q=blue hides $hidden rows, not 40"
grep -q '5 of 45 kaleidoscopes' <<<"$blue" || fail "the count after #q=blue is wrong"
grep -q 'Purchase price' <<<"$all" && fail "prices are shown although left out"

accents=$(dump "$page#q=CATHEDRAL%20nine")
[ "$(grep -o '<tr data-text="[^"]*">' <<<"$accents" | wc -l)" -ge 1 ] || fail "a search in capitals finds nothing"
# A search the address cannot hold is left out: the page works all the same.
broken=$(dump "$page#q=%E0%A4%A")
grep -q 'id="search" hidden' <<<"$broken" && fail "a broken search in the address hides the search box"
grep -q '45 of 45 kaleidoscopes' <<<"$broken" || fail "a broken search in the address stops the page"
echo "The catalogue works in $($browser --version 2>/dev/null | head -1)."
