#!/usr/bin/env bash
# Sets up, builds, writes the demo database and shows it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build/tools/ndbtool/ndbtool demo build/demo.ndb
build/tools/ndbtool/ndbtool info build/demo.ndb
