#!/usr/bin/env bash
# The layer check on a small tree of its own: includes that run down the layers
# pass, one that runs up or sideways fails with its file and line, and a table
# naming a layer it has not declared yet is refused.
#   layer_check_test.sh CHECKER
set -euo pipefail
checker=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

mkdir -p "$tree/low" "$tree/side" "$tree/high/deep"
printf 'low:\nside: low\nhigh: side\n' > "$tree/layers.txt"
printf '#pragma once\n#include <vector>\n#include "low/own.h"\n' > "$tree/low/a.h"
printf '#include "side/b.h"\n#include "low/a.h"\n#include "local.h"\n' > "$tree/high/deep/c.cpp"
"$checker" "$tree/layers.txt" "$tree" || { echo "FAIL: a tree whose includes run down was refused"; exit 1; }

# Upward: the lowest layer includes the highest.
printf '#pragma once\n\n  #  include "high/deep/c.h"\n' > "$tree/low/up.h"
if out=$("$checker" "$tree/layers.txt" "$tree"); then echo "FAIL: an upward include passed"; exit 1; fi
grep -q "low/up.h:3: layer 'low' includes \"high/deep/c.h\" from layer 'high'" <<<"$out" ||
  { echo "FAIL: the upward include was not named with its line: $out"; exit 1; }
rm "$tree/low/up.h"

# Sideways: two layers that do not use each other.
printf 'low:\nside: low\nother: low\n' > "$tree/layers2.txt"
mkdir -p "$tree/other"
printf '#include "side/b.h"\n' > "$tree/other/d.cpp"
if "$checker" "$tree/layers2.txt" "$tree" >/dev/null; then echo "FAIL: a sideways include passed"; exit 1; fi

# A layer may only use layers declared before it.
printf 'low: high\nhigh:\n' > "$tree/layers3.txt"
if "$checker" "$tree/layers3.txt" "$tree" 2>/dev/null; then echo "FAIL: a table using a later layer passed"; exit 1; fi
echo "layer check: all cases behave"
