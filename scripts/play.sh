#!/usr/bin/env bash
# Installs what is missing, builds the game folder build/game/ (the program and its assets, no
# tests) and starts the game there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build normal veltrane game_assets
cd build/game
exec ./veltrane
