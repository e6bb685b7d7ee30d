#!/usr/bin/env bash
# Configures and builds one preset (release, asan or tsan); extra arguments go to the build.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}; shift || true
if [[ ! -f build/$preset/build.ninja ]]; then
  cmake --preset "$preset" >/dev/null
fi
cmake --build "build/$preset" "$@"
