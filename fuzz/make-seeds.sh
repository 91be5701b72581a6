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

# Device events for the event callback: each is a header-length byte, the 8-byte header (frame
# marker 0xA5, type, sequence, status, command, payload length LE, 0), a 16-bit LE payload length
# and the payload.
events="$corpus/deviceeventcallback"
mkdir -p "$events"
# shellcheck disable=SC2016
event() { # <type> <command> <status> <payload as a perl expression>
  perl -MCompress::Zlib -e '
    my ($type, $command, $status, $expr) = @ARGV;
    my $p = eval $expr;
    die $@ if $@;
    print chr(8), pack("CCCCCvC", 0xA5, $type, 0, $status, $command, length($p), 0),
          pack("v", length($p)), $p' "$1" "$2" "$3" "$4"
}
image='my $p = join("", map { chr($_ % 251) } 0 .. 6911); substr($p, 0x1A4C, 4) = "ZRCF";
  substr($p, 0x1A50, 172) = chr(0) x 172; substr($p, 6908, 4) = pack("V", crc32(substr($p, 0, 6908))); $p'
event 8 0 0 "$image" >"$events/full-record.bin"
{ event 9 0 0 '""'; event 8 0 0 "$image"; } >"$events/reset-then-full-record.bin"
event 4 0 0 '"\x01\x50\x00\x00"' >"$events/battery.bin"
{ event 8 0 0 '"\x02"'; event 8 4 0 '"\x03"'; } >"$events/report-rate-and-dpi-stage.bin"
{ event 8 76 0 '"\x01\x02\x03\x04\x05\x06\x07\x08"'; event 8 160 0 '"\x01" x 9'; } \
  >"$events/dpi-light-and-led-bar.bin"
event 10 0 0 '"\x01" x 7' >"$events/status-changed-all.bin"
{ event 14 0 0 '"\x02"'; event 14 0 0 '""'; event 18 0 0 '""'; event 21 0 0 '""';
  event 23 0 0 '"\x00" x 10'; } >"$events/config-version-led-long-range.bin"
{ event 8 0 1 "$image"; event 8 0 0 '"\x00" x 100'; event 99 0 0 '"x"'; } \
  >"$events/refused-and-malformed.bin"
printf '\x00\x00\x00\x03\x08\xa5\x04\x01\x00' >"$events/no-header-short-header.bin"

# Settings export files: three data-stream blocks (32-bit big-endian length, bytes): the tag
# "Tavik" and the sensor name, each zero-padded to 12 bytes, and the 10428-byte record. The fuzz
# target imports for the sensor "OPT5100" with eight DPI stages; record byte 1 is the stage count.
settings="$corpus/settingsfile"
mkdir -p "$settings"
# Every key record counts <key events> (at 0x7C, 52 bytes each) and every macro <macro events>
# (byte 31 of each 592-byte macro from 0x3BC); a device keeps them at 6 and 70 at most.
settingsfile() { # <tag> <sensor> <stage count> [record length] [key events] [macro events];
  # "|" in a text is a zero byte
  perl -e '
    my ($tag, $sensor, $stages, $length, $keys, $events) = @ARGV;
    s/\|/\0/g for ($tag, $sensor);
    my $record = join("", map { chr($_ % 251) } 0 .. $length - 1);
    substr($record, 1, 1) = chr($stages) if $length > 1;
    for my $slot (0 .. 15) {
      my ($k, $m) = (0x7C + 52 * $slot, 0x3BC + 592 * $slot + 31);
      substr($record, $k, 1) = chr($keys) if $k < $length;
      substr($record, $m, 1) = chr($events) if $m < $length;
    }
    sub block { pack("N", length($_[0])) . $_[0] }
    sub text12 { substr($_[0] . ("\0" x 12), 0, 12) }
    print block(text12($tag)), block(text12($sensor)), block($record)' \
    "$1" "$2" "$3" "${4:-10428}" "${5:-6}" "${6:-70}"
}
settingsfile Tavik OPT5100 4 >"$settings/accepted.bin"
settingsfile Tavik OPT3300 4 >"$settings/other-sensor.bin"
settingsfile Tavik OPT5100 0 >"$settings/no-dpi-stage.bin"
settingsfile Tavik OPT5100 9 >"$settings/too-many-dpi-stages.bin"
settingsfile Other OPT5100 4 >"$settings/other-program.bin"
settingsfile Tavik OPT5100 4 10000 >"$settings/short-record.bin"
settingsfile "Tavik|junk" "OPT5100|x" 4 >"$settings/bytes-after-text.bin"
settingsfile Tavik OPT5100 4 10428 7 70 >"$settings/key-record-of-7.bin"
settingsfile Tavik OPT5100 4 10428 6 71 >"$settings/macro-of-71.bin"
perl -e 'print pack("N", 12), "Tavik", "\0" x 7, pack("N", 0xFFFFFFFF), pack("N", 0x7FFFFFFF)' \
  >"$settings/null-and-huge-blocks.bin"
: >"$settings/empty.bin"

# Pairing events for the pairing dialog's callback, in the event callback's format: a pairing
# that goes on, fails or succeeds, statuses the receiver never sends, and events that are no
# pairing events (another type, no payload, a header too short for its type).
pairing="$corpus/pairstatus"
mkdir -p "$pairing"
event 6 0 0 '"\x03"' >"$pairing/paired.bin"
{ event 6 0 0 '"\x01"'; event 6 0 0 '"\x01"'; event 6 0 0 '"\x02"'; } >"$pairing/pairing-then-failed.bin"
{ event 6 0 0 '"\x03"'; event 6 0 0 '"\x02"'; } >"$pairing/paired-then-late-failure.bin"
{ event 6 0 0 '"\x00"'; event 6 0 0 '"\x07\x03"'; event 6 0 0 '"\xff"'; } >"$pairing/unknown-statuses.bin"
{ event 21 0 0 '"\x03"'; event 6 0 0 '""'; event 8 0 0 '"\x02"'; } >"$pairing/no-pairing-event.bin"
printf '\x01\xa5\x00\x01\x00\x03\x02\x06\x00\x01\x00\x03' >"$pairing/short-headers.bin"
# Button macro records (592 bytes): the name length, 30 name bytes, the event count, then 70
# events of action, kind, 16-bit LE code and 32-bit LE delay.
records="$corpus/macrorecord"
mkdir -p "$records"
macrorecord() { # <name length> <name> <event count> [action,kind,code,delay]...
  perl -e '
    my ($length, $name, $count, @events) = @ARGV;
    my $bytes = pack("C", $length) . substr($name . ("\0" x 30), 0, 30) . pack("C", $count);
    for my $e (@events) { $bytes .= pack("CCvV", split(/,/, $e)); }
    print substr($bytes . ("\0" x 592), 0, 592)' "$@"
}
macrorecord 3 abc 2 0,4,1,20 1,4,1,0 >"$records/mouse-button.bin"
macrorecord 4 keys 5 0,0,4,1 0,1,4,2 1,1,88,3 1,2,233,4 0,4,32,5 >"$records/keys-of-every-kind.bin"
macrorecord 4 many 200 $(for i in $(seq 0 69); do printf '%d,1,5,%d ' $((i % 2)) "$i"; done) \
  >"$records/count-200.bin"
macrorecord 30 nnnnnnnnnnnnnnnnnnnnnnnnnnnnnn 1 0,1,4,0 >"$records/name-without-zero.bin"
macrorecord 0 "" 1 0,1,4,0 >"$records/empty-name.bin"
macrorecord 4 "../x" 1 0,1,4,0 >"$records/up-a-folder.bin"
perl -e 'print "\xff" x 592' >"$records/all-ones.bin"
printf '\x03abc' >"$records/short.bin"

# Macro export files: a data stream (Qt 5.9) of three byte blocks (tag, name, repeat), an item
# count and the items: a QString text, a QIcon (here the pixmap engine with one PNG) and, for a
# key, its direction as a zero-terminated byte string.
exports="$corpus/macroimport"
mkdir -p "$exports"
# shellcheck disable=SC2016
macroexport() { # <tag> <name> <repeat> <count> <item>...; an item is "key:<name>:<0|1>[:<side>]",
                # "delay:<text>" or "raw:<hex>"; "last:<n>" drops all but the first n bytes
  perl -MCompress::Zlib -MEncode -e '
    my ($tag, $name, $repeat, $count, @items) = @ARGV;
    sub block { my ($t, $n) = @_; pack("N", $n) . substr($t . ("\0" x $n), 0, $n) }
    sub qstring { my $u = encode("UTF-16BE", decode("UTF-8", $_[0])); pack("N", length $u) . $u }
    sub chunk { my ($type, $data) = @_; pack("N", length $data) . $type . $data . pack("N", crc32($type . $data)) }
    sub png {
      my $side = shift;
      my $rows = join("", map { "\0" . ("\0\x80\xc0\xff" x $side) } 1 .. $side);
      "\x89PNG\r\n\x1a\n" . chunk("IHDR", pack("NNCCCCC", $side, $side, 8, 6, 0, 0, 0))
        . chunk("IDAT", compress($rows)) . chunk("IEND", "");
    }
    sub icon {
      my $side = shift;
      qstring("QPixmapIconEngine") . pack("N", 1) . pack("N", 1) . png($side)
        . pack("N", 0xFFFFFFFF) . pack("NN", $side, $side) . pack("NN", 0, 0);
    }
    my $keep;
    my $out = block($tag, 12) . block($name, 48) . block($repeat, 12) . pack("N", $count);
    for my $item (@items) {
      my ($kind, @p) = split(/:/, $item);
      if ($kind eq "key") { $out .= qstring($p[0]) . icon($p[2] // 16) . pack("N", 2) . $p[1] . "\0"; }
      elsif ($kind eq "delay") { $out .= qstring($p[0]) . icon(16); }
      elsif ($kind eq "raw") { $out .= pack("H*", $p[0]); }
      elsif ($kind eq "last") { $keep = $p[0]; }
    }
    print defined $keep ? substr($out, 0, $keep) : $out' "$@"
}
macroexport Tavik Greeting 253 3 key:A:0 delay:10ms key:A:1 >"$exports/greeting.bin"
macroexport Tavik Empty 1 0 >"$exports/empty-list.bin"
macroexport Tavik "Кнопки" 255 5 "key:Права кнопка:0" delay:20ms "key:Right button:1" delay:0ms \
  "key:Num+:0" >"$exports/mouse-buttons-two-languages.bin"
macroexport Tavik m 1 1 key:Hyper:0 >"$exports/unknown-key.bin"
macroexport Tavix m 1 0 >"$exports/wrong-tag.bin"
macroexport Tavik m 1 3 key:A:0 delay:10ms key:A:1 last:150 >"$exports/truncated.bin"
macroexport Tavik m 1 2147483647 key:A:0 >"$exports/count-0x7fffffff.bin"
macroexport Tavik m 1 4294967295 >"$exports/count-below-0.bin"
macroexport Tavik m 1 1 key:A:0:65 >"$exports/icon-65-pixels.bin"
macroexport Tavik m 1 1 "raw:ffffffff000000023000" >"$exports/null-icon.bin"
macroexport Tavik "../x" 1 0 >"$exports/name-up-a-folder.bin"
macroexport Tavik "$(printf 'ї%.0s' $(seq 1 23))" 1 0 >"$exports/name-46-bytes.bin"
macroexport Tavik m "3$(printf '\n')0x04 1 0" 0 >"$exports/repeat-with-a-line.bin"
macroexport Tavik m 1 1 delay:abcms >"$exports/delay-not-a-number.bin"

# Firmware image files, after one mode byte: bit 0 set makes the fuzz target seal the file (mark,
# length and both checksums) itself. The whole image is one the firmware tool made for the second
# model's receiver of class 4, which the target's simulated receiver takes; the others are it
# damaged one way each. The tool comes from a build (./test.sh or ./run.sh makes it); set
# FIRMWAREGEN to use another.
firmware="$corpus/firmwareimage"
mkdir -p "$firmware"
root="$(cd "$(dirname "$0")/.." && pwd)"
tool="${FIRMWAREGEN:-$root/build/debug/tools/zr35_firmwaregen}"
made="$(mktemp -d)"
trap 'rm -rf "$made"' EXIT
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen "$tool" "$root/assets" \
  "$root/platform/devicelib/builtin-devices.ini" "$made"
image="$made/model11-ZR35_RX4K.bin"
seed() { # <mode byte> <perl expression over $i, the image's bytes>
  perl -e 'local $/; open(my $f, "<:raw", $ARGV[1]) or die; my $i = <$f>;
    my $out = eval $ARGV[2]; die $@ if $@; print chr($ARGV[0]), $out' "$1" "$image" "$2"
}
seed 0 '$i' >"$firmware/tool-made.bin"
seed 0 'substr($i, 0, 100)' >"$firmware/short.bin"
seed 0 'substr($i, 0, 728)' >"$firmware/header-only.bin"
seed 0 'substr($i, 1, 1) = "X"; $i' >"$firmware/bad-magic.bin"
seed 0 'substr($i, -1, 1) = chr(ord(substr($i, -1, 1)) ^ 1); $i' >"$firmware/bad-crc.bin"
seed 0 '$i . "x"' >"$firmware/wrong-length.bin"
seed 1 'substr($i, 0x14, 1) = chr(0xD4); $i' >"$firmware/wrong-target.bin"

# Sensor page fills: a model number (the device's DriveIndex), a connection kind, then a device
# record: a shipped model's factory settings with the bytes named as offset=value changed
# (0 rate, 1 stage count, 2 current stage, 5 lift-off distance, 12/13 performance mode and time,
# 14 sensor mode, 63..66 DPI light mode, brightness, speed and on).
fill="$corpus/sensorfill"
mkdir -p "$fill"
sensorrecord() { # <model> <kind> <stage count> <eight DPI values, comma list> [offset=value ...]
  perl -e '
    my ($model, $kind, $count, $grades, @set) = @ARGV;
    my @colours = (255,0,0, 0,255,0, 0,0,255, 255,255,0, 0,255,255, 255,0,255, 255,128,0,
                   255,255,255);
    my @r = (0) x 10428;
    @r[0 .. 14] = (1, $count, 0, 0, 0, 1, 4, 0, 1, 0, 0, 0, 0, 3, 0);
    my @dpi = split(/,/, $grades);
    for my $i (0 .. 7) {
      my $code = int($dpi[$i] / 50) - 1;
      @r[15 + 6 * $i .. 20 + 6 * $i] =
        ($code & 255, $code & 255, ($code >> 8) & 255, @colours[3 * $i .. 3 * $i + 2]);
    }
    @r[63 .. 66] = (1, 128, 3, 1);
    for (@set) { my ($at, $value) = split(/=/); $r[$at] = $value; }
    print chr($model), chr($kind), pack("C*", @r)' "$@"
}
first=400,800,1600,2400,3200,6400,10000,12000
third=400,800,1200,1600,3200,6400,8000,12000
sensorrecord 0 1 8 "$first" >"$fill/first-model-receiver.bin"
sensorrecord 1 2 8 "$first" 0=32 >"$fill/second-model-cable-4000hz.bin"
sensorrecord 2 1 6 "$third" >"$fill/third-model-reduced.bin"
sensorrecord 0 1 12 "$first" 2=9 >"$fill/count-12-stage-9.bin"
sensorrecord 0 5 0 "$first" 0=64 2=255 >"$fill/count-0-stage-255.bin"
sensorrecord 0 4 8 "$first" 0=3 >"$fill/unknown-rate.bin"
sensorrecord 0 1 8 "$first" 14=5 63=7 64=77 65=9 >"$fill/light-and-mode-out-of-range.bin"
sensorrecord 0 1 8 "$first" 5=0 12=1 13=15 >"$fill/no-distance-unknown-time.bin"
sensorrecord 7 9 8 "$first" >"$fill/unknown-model-and-kind.bin"
printf '\x00\x01\x01\x04' >"$fill/short-record.bin"

# Button records: a KeyNumber byte, then a device record whose button part is the factory
# assignment of the twelve rows with the bytes named as offset=value changed (functions at 0x4A,
# three bytes a slot; key records at 0x7C, 52 bytes a slot; macros at 0x3BC, 592 bytes a slot,
# the name from byte 1), then optionally a combination text.
buttons="$corpus/buttonrecord"
mkdir -p "$buttons"
buttonrecord() { # <key number> [offset=value ...] [text=<combination>]
  perl -e '
    my ($keys, @set) = @ARGV;
    my @r = (0) x 10428;
    $r[6] = 8;
    my @factory = (1,1,0, 1,2,0, 1,4,0, 1,8,0, 1,16,0, 2,1,0, 2,2,0, 2,3,0, 7,0,0, 7,0,0,
                   4,10,3, 0,0,0);
    @r[0x4A .. 0x4A + 35] = @factory;
    my $text = "";
    for (@set) {
      if (/^text=(.*)$/) { $text = $1; next; }
      my ($at, $value) = split(/=/);
      $r[eval $at] = eval $value;
    }
    print chr($keys), pack("C*", @r), $text' "$@"
}
# Slot s of each category s (0..11): function bytes, plus a key record and a macro where needed.
every=()
for s in $(seq 0 11); do every+=("0x4A+3*$s=$s" "0x4B+3*$s=$((s + 1))"); done
# Slot 5 (a key sequence): a consumer usage 0x0183; slot 6 (a macro): "Fast" with two events.
every+=("0x7C+52*5=2" "0x7C+52*5+5=2" "0x7C+52*5+6=0x83" "0x7C+52*5+7=1")
every+=("0x3BC+592*6=4" "0x3BC+592*6+1=ord('F')" "0x3BC+592*6+2=ord('a')"
        "0x3BC+592*6+3=ord('s')" "0x3BC+592*6+4=ord('t')" "0x3BC+592*6+31=2")
buttonrecord 12 >"$buttons/factory.bin"
buttonrecord 12 "${every[@]}" >"$buttons/every-category.bin"
# Slot 0 a key combination claiming 255 events.
buttonrecord 12 "0x4A=5" "0x7C=255" "0x7C+5=1" "0x7C+6=0x04" "0x7C+13=1" "0x7C+14=0x05" \
  >"$buttons/count-255.bin"
buttonrecord 0 "${every[@]}" >"$buttons/keynumber-0.bin"
buttonrecord 3 "${every[@]}" >"$buttons/keynumber-3.bin"
buttonrecord 20 "${every[@]}" 0x4A+3*15=6 >"$buttons/keynumber-20.bin"
buttonrecord 12 "0x4A+3=6" "0x3BC+592+1=ord('.')" "0x3BC+592+2=ord('.')" \
  "0x3BC+592+3=ord('/')" "0x3BC+592+4=ord('x')" >"$buttons/macro-up-a-folder.bin"
buttonrecord 12 "0x4A+6=6" >"$buttons/macro-without-name.bin"
buttonrecord 12 6=16 "text=Ctrl+Shift+A+B" >"$buttons/debounce-16-four-keys.bin"
# What the row selectors decode: key sequences whose first event is a known consumer usage
# (browser back), an unknown one, a modifier and a keyboard key (slots 0 to 3), the categories
# 12 and 255 (slots 4, 5), DPI locks of a code no table has and of the table's own code 7 (slots
# 6, 7; record byte 1 is the code of the fuzz target's 400 DPI) and lighting code 2 (slot 8).
views=(1=7)
for s in 0 1 2 3; do views+=("0x4A+3*$s=5" "0x7C+52*$s=2"); done
views+=("0x7C+5=2" "0x7C+6=0x24" "0x7C+7=2" "0x7C+52+5=2" "0x7C+52+6=0x99")
views+=("0x7C+104+5=0" "0x7C+104+6=0xE2" "0x7C+156+5=1" "0x7C+156+6=0x21")
views+=("0x4A+12=12" "0x4A+15=255" "0x4A+18=10" "0x4B+18=4" "0x4A+21=10" "0x4B+21=7")
views+=("0x4A+24=8" "0x4B+24=2")
buttonrecord 12 "${views[@]}" >"$buttons/row-views.bin"
buttonrecord 5 "${views[@]}" >"$buttons/row-views-keynumber-5.bin"

# Picture screen clock packets after one mode byte (0: a reply to the packet of 5 March 2026,
# 14:07:09, 1: a packet for the screen): 40 bytes, byte 39 = 0x55 minus the sum of bytes 0..38.
clock="$corpus/screenclock"
mkdir -p "$clock"
clockpacket() { # <mode byte> <bytes 0..10 as a comma list> [checksum change] [length]
  perl -e '
    my ($mode, $head, $change, $length) = @ARGV;
    my @p = (map { hex } split(/,/, $head));
    push @p, (0) x (39 - @p);
    my $sum = 0; $sum += $_ for @p;
    push @p, (0x55 - $sum + ($change // 0)) & 255;
    splice(@p, $length) if defined $length;
    print chr($mode), pack("C*", @p)' "$@"
}
thursday=0A,00,10,07,EA,03,05,0E,07,09,04
clockpacket 1 "$thursday" >"$clock/packet-thursday.bin"
clockpacket 0 0A,00,10,07,EA,03,05 >"$clock/reply-good.bin"
clockpacket 0 0A,00,10,07,EA,03,05 1 >"$clock/reply-bad-checksum.bin"
clockpacket 0 0A,00,10,07,EA,03,06 >"$clock/reply-wrong-day.bin"
clockpacket 0 0A,00,10,07,EA,03,05 0 39 >"$clock/reply-too-short.bin"
clockpacket 1 "$thursday" 1 >"$clock/packet-bad-checksum.bin"
clockpacket 1 0A,00,10,07,EA,02,1D,00,00,00,07 >"$clock/packet-no-leap-day.bin"
clockpacket 1 0A,00,10,07,EA,03,05,0E,07,09,05 >"$clock/packet-wrong-weekday.bin"
clockpacket 1 "$thursday" 0 20 >"$clock/packet-too-short.bin"
