#!/usr/bin/env bash
# Sets up, builds and runs the command-line tool on the bundled demo book.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target tomeling mkbook
demo=build/demo
rm -rf "$demo"
build/tools/mkbook/mkbook demo "$demo"
build/apps/tomeling/tomeling page "$demo/book.ebz" 1
