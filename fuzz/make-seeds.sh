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

# Whole-configuration payloads (6912 bytes), after one mode byte: bit 0 set makes the fuzz target
# write the magic and checksum itself. The "-ok" payloads carry both already (Compress::Zlib's
# crc32 is the IEEE CRC-32 the image uses).
image="$corpus/configurationimage"
mkdir -p "$image"
payload() { # <mode byte> <fill: pattern|zero|ones> <seal in the file: 0|1>
  perl -MCompress::Zlib -e '
    my ($mode, $fill, $seal) = @ARGV;
    my $p = $fill eq "pattern" ? join("", map { chr($_ % 251) } 0 .. 6911)
          : $fill eq "ones"    ? chr(255) x 6912 : chr(0) x 6912;
    if ($seal) {
      substr($p, 0x1A4C, 4) = "ZRCF";
      substr($p, 0x1A50, 172) = chr(0) x 172;
      substr($p, 6908, 4) = pack("V", crc32(substr($p, 0, 6908)));
    }
    print chr($mode), $p' "$1" "$2" "$3"
}
payload 0 pattern 1 >"$image/pattern-ok.bin"
payload 0 zero 1 >"$image/zero-ok.bin"
payload 0 pattern 0 >"$image/no-magic.bin"
payload 1 pattern 0 >"$image/pattern-sealed.bin"
payload 1 ones 0 >"$image/ones-sealed.bin"
perl -e 'print "\x00", "\x00" x 0x1A4C, "ZRCF", "\x00" x 172, "\x01\x02\x03\x04"' >"$image/bad-crc.bin"
printf '\x01\x03\x08' >"$image/short-sealed.bin"
