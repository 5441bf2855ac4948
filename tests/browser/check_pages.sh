#!/usr/bin/env bash
# The printed pages in a real browser: the setup sheets of `generate
# --sheet` (two 25-step inch programs, one of them with a warning on every
# step, and an example) and the bending chart of every example material,
# rendered by headless Chromium:
#   - printed to PDF on A4 and on US Letter: at most two pages each, no
#     console message from the page;
#   - laid out with the printable width of A4 (190 mm) between the page's
#     screen margins (6 mm each side: a 202 mm window), with a check script
#     that this harness adds to a copy of the page (the pages themselves
#     have no script): no table, drawing or section beyond the body's
#     content box, nothing to scroll sideways;
#   - as a PNG screenshot.
#
# check_pages.sh BENDPOST DATA_DIR WORK_DIR SOURCE_DIR
# Exit 77 (skipped) without chromium or pdfinfo, unless
# BENDPOST_REQUIRE_BROWSER=1 (as in CI), where that is a failure.
set -euo pipefail
bendpost=$1 data=$2 work=$3 src=$4

browser=$(command -v chromium || command -v chromium-browser || true)
if [[ -z "$browser" ]] || ! command -v pdfinfo > /dev/null; then
  if [[ "${BENDPOST_REQUIRE_BROWSER:-0}" == 1 ]]; then
    echo "FAIL: chromium and pdfinfo (poppler-utils) are required" >&2
    exit 1
  fi
  echo "skipped: chromium or pdfinfo (poppler-utils) not installed"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Every run gets a profile of its own and nothing from the network.
run_browser() {
  local profile
  profile=$(mktemp -d "$work/profile.XXXXXX")
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic \
    --no-first-run --disable-background-networking --disable-component-update \
    --disable-sync --user-data-dir="$profile" --enable-logging=stderr --v=0 \
    "$@"
  rm -rf "$profile"
}

# The pages.
common=(--yes --sheet --date 2026-12-07 --data "$data")
"$bendpost" generate "$src/tests/testdata/cli/long_program_inch.json" \
  "${common[@]}" --settings "$work/settings_long" --out "$work/long" > /dev/null
"$bendpost" generate "$src/tests/testdata/cli/long_program_inch_warnings.json" \
  "${common[@]}" --settings "$work/settings_warnings" --out "$work/warnings" > /dev/null
"$bendpost" generate "$src/examples/bracket_mm.json" \
  "${common[@]}" --settings "$work/settings_bracket" --out "$work/bracket" > /dev/null
pages=("$work/long/2120700.html" "$work/warnings/2120700.html"
  "$work/bracket/2120700.html")
for n in 1 2 3 4; do
  "$bendpost" material chart --data "$data" --material "$n" -o "$work/chart_$n.html"
  pages+=("$work/chart_$n.html")
done

steps=$(grep -c '<tr data-step=' "$work/long/2120700.html")
[[ "$steps" == 25 ]] || fail "the long program's sheet has $steps steps, not 25"
warned=$(grep -c '<tr data-step=.* class="warn">' "$work/warnings/2120700.html")
[[ "$warned" == 25 ]] || fail "the warnings program's sheet warns on $warned steps, not 25"

# Copies of a page for the harness: $2 is inserted before </head> or
# before </body>.
with_head() { sed "s#</head>#$2</head>#" "$1"; }
with_body() { sed "s#</body>#$2</body>#" "$1"; }

check_script='<script>(function(){var b=document.body,cs=getComputedStyle(b),r0=b.getBoundingClientRect(),left=r0.left+parseFloat(cs.paddingLeft),right=r0.right-parseFloat(cs.paddingRight),bad=[];document.querySelectorAll("table,svg,section,dl,h1,h2,p").forEach(function(e){var r=e.getBoundingClientRect();if(r.right>right+0.5||r.left<left-0.5)bad.push(e.tagName+" "+Math.round(r.width));});if(document.documentElement.scrollWidth>document.documentElement.clientWidth)bad.push("page");b.setAttribute("data-width-check",bad.length?"overflow "+bad.join(" "):"ok");})();</script>'

for page in "${pages[@]}"; do
  name=$(basename "$(dirname "$page")")_$(basename "$page" .html)
  for paper in A4 letter; do
    copy="$work/$name.$paper.html"
    with_head "$page" "<style>@page{size:$paper}</style>" > "$copy"
    pdf="$work/$name.$paper.pdf"
    run_browser --no-pdf-header-footer --print-to-pdf="$pdf" "file://$copy" \
      > /dev/null 2> "$work/$name.$paper.log" || true
    if [[ ! -s "$pdf" ]]; then
      fail "$name: no PDF on $paper"
      continue
    fi
    count=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
    size=$(pdfinfo "$pdf" | awk -F': *' '/^Page size:/ {print $2}')
    echo "$name on $paper: $count page(s), $size"
    (( count >= 1 && count <= 2 )) || fail "$name: $count pages on $paper"
    if grep -E 'CONSOLE|Uncaught|Failed to load resource' "$work/$name.$paper.log"; then
      fail "$name: console messages on $paper"
    fi
  done

  copy="$work/$name.width.html"
  with_body "$page" "$check_script" > "$copy"
  run_browser --hide-scrollbars --window-size=764,1000 --dump-dom "file://$copy" \
    > "$work/$name.dom" 2> "$work/$name.width.log" || true
  verdict=$(grep -o 'data-width-check="[^"]*"' "$work/$name.dom" || echo 'no verdict')
  echo "$name width at 190 mm: $verdict"
  [[ "$verdict" == 'data-width-check="ok"' ]] || fail "$name: $verdict"

  png="$work/$name.png"
  run_browser --hide-scrollbars --window-size=900,1200 --screenshot="$png" \
    "file://$page" > /dev/null 2> "$work/$name.png.log" || true
  [[ -s "$png" ]] || fail "$name: no screenshot"
done

if (( failures > 0 )); then
  echo "$failures failure(s); files in $work" >&2
  exit 1
fi
echo "all pages passed"
