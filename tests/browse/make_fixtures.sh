#!/usr/bin/env bash
# Makes the large folders the folder list tests and the scan benchmark read (empty files:
# only names matter). Usage: make_fixtures.sh <output folder>
set -euo pipefail
out="$1"
rm -rf "$out/ten_thousand"
mkdir -p "$out/ten_thousand"
cd "$out/ten_thousand"
touch p{1..10000}.jpg readme.txt
