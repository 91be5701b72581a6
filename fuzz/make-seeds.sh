#!/usr/bin/env bash
# Writes the binary seed inputs of fuzz/corpus (the text seeds are kept as authored files).
# Run from anywhere; it rewrites only the files named here. Deterministic: the same bytes every
# time, so a rerun shows no change in git.
set -euo pipefail
corpus="$(cd "$(dirname "$0")" && pwd)/corpus"

# Device cache files: a 32-bit big-endian block length, then the block. A record is 10428 bytes;
# its bytes count up modulo 251 so that a shifted copy would show.
cache="$corpus/devicecache"
mkdir -p "$cache"
block() { # <prefix length> <bytes that follow>
  perl -e 'print pack("N", $ARGV[0]), map { chr($_ % 251) } 0 .. $ARGV[1] - 1' "$1" "$2"
}
block 10428 10428 >"$cache/whole-record.bin"
block 10500 10500 >"$cache/longer-block.bin"
block 10428 10427 >"$cache/truncated-record.bin"
block 10427 10427 >"$cache/short-block.bin"
block 4294967295 10428 >"$cache/null-block.bin"
block 4294967294 10428 >"$cache/huge-length.bin"
block 0 0 >"$cache/empty-block.bin"
printf '\x00\x00' >"$cache/short-prefix.bin"
: >"$cache/empty-file.bin"
