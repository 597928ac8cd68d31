#!/usr/bin/env bash
# Sets up, builds and runs the tool on the bundled cow model.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
./build/bin/orvane info data/models/cow.obj
