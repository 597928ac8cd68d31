#!/usr/bin/env bash
# Sets up, builds and makes a camouflage picture of the bundled cow model at
# medium difficulty: out/demo.eps (traced vector picture) and out/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
mkdir -p out
for picture in out/demo.eps out/demo.png; do
  ./build/bin/orvane image data/models/cow.obj --difficulty medium -o "$picture"
done
echo "The pictures are in $(pwd)/out: demo.eps and demo.png"
