#!/usr/bin/env python3
"""Writes a firmware image file for the simulated mouse and receiver.

The file is the 728-byte header followed by a payload. The header holds,
little-endian: the minor version at 0x10, the major version in the three
bytes at 0x11, the target at 0x14 (210 mouse, 211 receiver), CID at 0x15,
MID at 0x16 and the image name (up to 64 bytes, NUL-padded) at 0x57. The
configuration tool picks an image by target, CID, MID and image name, so the
name must equal the model's MM, DM, D2M, D4M or D8M value of Config.ini.

The images shipped in resources/bin/ were made with:

  tools/make_firmware_image.py --target 210 --cid 7 --mid 1 --version 1.03 \
      --name NK-M1-Mouse.bin resources/bin/NK-M1-Mouse.bin
  tools/make_firmware_image.py --target 211 --cid 7 --mid 1 --version 1.06 \
      --name NK-M1-Receiver4K.bin resources/bin/NK-M1-Receiver4K.bin
"""

import argparse
import struct
import sys

HEADER_SIZE = 728
NAME_OFFSET = 0x57
NAME_SIZE = 64
MARK = b"NKFW-SIMULATED\0\0"  # the first 16 bytes; the tool does not read them


def parse_version(text):
    """'1.03' -> (1, 0x03): the major in decimal, the minor in hexadecimal."""
    text = text.lstrip("v")
    major, _, minor = text.partition(".")
    major, minor = int(major, 10), int(minor or "0", 16)
    if not 0 <= major < 1 << 24 or not 0 <= minor <= 0xFF:
        raise ValueError("version out of range: " + text)
    return major, minor


def build_image(target, cid, mid, major, minor, name, payload_size):
    encoded = name.encode("latin-1")
    if len(encoded) > NAME_SIZE:
        raise ValueError("image name longer than 64 bytes")
    header = bytearray(HEADER_SIZE)
    header[0:16] = MARK
    struct.pack_into("<I", header, 0x10, (major << 8) | minor)
    header[0x14] = target
    header[0x15] = cid
    header[0x16] = mid
    header[NAME_OFFSET:NAME_OFFSET + len(encoded)] = encoded
    # A fixed, recognisable payload: the simulated devices only read the header.
    seed = (target << 16) | (cid << 8) | mid
    payload = bytes((seed * 31 + i * 7 + (i >> 8)) & 0xFF for i in range(payload_size))
    return bytes(header) + payload


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--target", type=int, required=True, choices=(210, 211))
    parser.add_argument("--cid", type=int, required=True)
    parser.add_argument("--mid", type=int, required=True)
    parser.add_argument("--version", required=True, help="major.minor, minor in hex, e.g. 1.0A")
    parser.add_argument("--name", required=True, help="image name as in Config.ini (decoded)")
    parser.add_argument("--payload", type=int, default=1024, help="payload bytes after the header")
    parser.add_argument("output")
    args = parser.parse_args(argv)
    for value in (args.cid, args.mid):
        if not 0 <= value <= 0xFF:
            parser.error("CID and MID are single bytes")
    major, minor = parse_version(args.version)
    image = build_image(args.target, args.cid, args.mid, major, minor, args.name, args.payload)
    with open(args.output, "wb") as out:
        out.write(image)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
