#!/usr/bin/env bash
# Shows the window on a virtual display with the bundled sample sites, presses 获取 and,
# once the post is composed, saves the window as a PNG (default: build/screenshot.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshot.png}
bash scripts/setup.sh
bash scripts/build.sh release --target quorvel
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1024x768x24" build/release/quorvel --samples --screenshot "$out"
echo "screenshot: $out"
