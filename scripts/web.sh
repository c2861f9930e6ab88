#!/usr/bin/env bash
# The web version of ZELVO: installs what is missing, builds the site with
# emscripten into build-web/site/, and tests it (the logic tests under node,
# the page in headless Chromium). build-web/site/ is then ready for any
# static web host.
#
# Usage: scripts/web.sh          build and test
#        scripts/web.sh serve [PORT]   serve build-web/site/ on 127.0.0.1
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-web
if [ "${1:-}" = serve ]; then
  [ $# -le 2 ] || { echo "usage: scripts/web.sh [serve [PORT]]" >&2; exit 2; }
  [ -f "$dir/site/index.html" ] || { echo "scripts/web.sh: no site yet; run scripts/web.sh first" >&2; exit 1; }
  exec node web/serve.mjs "$dir/site" "${2:-8080}"
fi
[ $# -eq 0 ] || { echo "usage: scripts/web.sh [serve [PORT]]" >&2; exit 2; }

scripts/deps.sh web
npm ci --no-audit --no-fund --silent

# Node here does not search Debian's own modules, where emscripten's
# optimiser finds acorn.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DZELVO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
ctest --test-dir "$dir" --output-on-failure

chromium=/usr/lib/chromium/chromium
[ -x "$chromium" ] || chromium=$(command -v chromium)
CHROMIUM=$chromium SITE="$dir/site" node --test tests/web/page_test.mjs
echo "Web site: $dir/site/ (scripts/web.sh serve to try it)"
