#!/usr/bin/env bash
# Installs what is missing, builds the game folder build/game/ and starts the game there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build normal
cd build/game
exec ./veltrane
