#!/usr/bin/env bash
# Sets up, builds and runs Quorvel on its bundled sample sites: the window when a
# display is there, otherwise one fetch of the sample address printed as a post.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh release --target quorvel
if [[ -n "${DISPLAY:-}" ]]; then
  exec build/release/quorvel --samples
fi
exec build/release/quorvel fetch --samples "$(build/release/quorvel sample-address)"
