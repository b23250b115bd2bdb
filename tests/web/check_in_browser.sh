#!/bin/bash
# The web catalogue in a real browser: headless Chromium loads the catalogue of
# the demo collection; the table holds every kaleidoscope, the page's own
# search, asked for in the address (#q=...), finds the right rows in the
# whole collection, and the list, the gallery and a kaleidoscope's page fit a
# 1366-pixel screen and a 390-pixel phone without scrolling sideways, the
# list as cards on the phone.
# Usage: check_in_browser.sh BIN_DIR. Exits 77 (skipped) without Chromium.
set -euo pipefail
bin=$1
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
    echo "Chromium is not installed: the browser check is skipped."
    exit 77
fi
work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill $server 2>/dev/null; rm -rf "$work"' EXIT
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
[ -f "$work/catalogue/list/search.js" ] || fail "the search's rows are missing"
grep -q '45 of 45 kaleidoscopes' <<<"$all" || fail "the search's count is missing"
grep -q 'id="search" hidden' <<<"$all" && fail "the search box stayed hidden"

# The search reads the whole collection's rows and shows what it found.
blue=$(dump "$page#q=blue")
shown=$(grep -o '<tr data-text="[^"]*">' <<<"$blue" | wc -l)
[ "$shown" -eq 5 ] || fail "#q=blue shows $shown rows, not 5"
grep -q '5 of 45 kaleidoscopes' <<<"$blue" || fail "the count after #q=blue is wrong"
grep -q 'Purchase price' <<<"$all" && fail "prices are shown although left out"

accents=$(dump "$page#q=CATHEDRAL%20nine")
[ "$(grep -o '<tr data-text="[^"]*">' <<<"$accents" | wc -l)" -ge 1 ] || fail "a search in capitals finds nothing"
# A search the address cannot hold is left out: the page works all the same.
broken=$(dump "$page#q=%E0%A4%A")
grep -q 'id="search" hidden' <<<"$broken" && fail "a broken search in the address hides the search box"
grep -q '45 of 45 kaleidoscopes' <<<"$broken" || fail "a broken search in the address stops the page"

# The layout, served from this machine so that the check's page may look into
# the catalogue's pages in frames of each width.
"$bin/tessaran-rnd" web "$bin/demo.rnd" "$work/site/catalogue" >/dev/null 2>&1
cat >"$work/site/check.html" <<'HTML'
<!DOCTYPE html><html><body><div id="out">RUNNING</div><script>
var todo = [], out = [];
['index.html', 'list/gallery-1.html', 'k/1.html'].forEach(function (p) {
  [1366, 390].forEach(function (w) { todo.push([p, w]); });
});
function next() {
  if (!todo.length) { document.getElementById('out').textContent = 'DONE ' + out.join(' '); return; }
  var job = todo.shift(), frame = document.createElement('iframe');
  frame.style.width = job[1] + 'px'; frame.style.height = '800px'; frame.style.border = '0';
  frame.onload = function () {
    setTimeout(function () {
      var doc = frame.contentDocument, root = doc.documentElement;
      var row = doc.querySelector('#catalogue tbody tr');
      out.push(job[0] + '@' + job[1] + '=' + (root.scrollWidth <= root.clientWidth ? 'fits' : 'wide' + root.scrollWidth)
        + (row ? ',' + getComputedStyle(row).display : ''));
      frame.remove();
      next();
    }, 200);
  };
  frame.src = 'catalogue/' + job[0];
  document.body.appendChild(frame);
}
next();
</script></body></html>
HTML
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >/dev/null 2>&1 &
server=$!
for _ in $(seq 50); do
    python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/check.html')" 2>/dev/null && break
    sleep 0.1
done
layout=$(dump "http://127.0.0.1:$port/check.html" | grep -o 'DONE [a-z][^<]*' || true)
[ -n "$layout" ] || fail "the layout check did not finish"
echo "$layout"
for want in index.html@1366=fits,table-row index.html@390=fits,block list/gallery-1.html@1366=fits \
    list/gallery-1.html@390=fits k/1.html@1366=fits k/1.html@390=fits; do
    grep -qw -- "$want" <<<"$layout" || fail "layout: $want expected in: $layout"
done
echo "The catalogue works in $($browser --version 2>/dev/null | head -1)."
