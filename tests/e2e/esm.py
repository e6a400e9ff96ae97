#!/usr/bin/env python3
"""Scheme files, read and written independently of the program, for the end-to-end checks.

  esm.py decode FILE           print the records, one a line: section<TAB>key<TAB>value
  esm.py encode OUT [EMPTY] < RECORDS
                               write the records given one a line in the same form, then EMPTY
                               records whose three fields are empty
"""
import sys

HEADER = b"Vexar Lumen Scheme Manager!\xac"
KEY = 0x6E
END = 0xAC


def scramble(data):
    return data.translate(bytes(b ^ KEY for b in range(256)))


def decode(path):
    plain = scramble(open(path, "rb").read())
    if not plain.startswith(HEADER):
        sys.exit("not a scheme file")
    fields = plain[len(HEADER):].split(bytes([END]))
    if fields[-1] != b"":
        sys.exit("the last field has no terminator")
    fields = fields[:-1]
    if len(fields) % 3:
        sys.exit("fields do not make whole records")
    out = sys.stdout.buffer
    for i in range(0, len(fields), 3):
        out.write(b"\t".join(fields[i:i + 3]) + b"\n")


def encode(path, empty="0"):
    body = []
    for line in sys.stdin.buffer.read().split(b"\n"):
        if not line:
            continue
        section, key, value = line.split(b"\t")
        body.append(section + bytes([END]) + key + bytes([END]) + value + bytes([END]))
    body.append(bytes([END]) * (3 * int(empty)))
    open(path, "wb").write(scramble(HEADER + b"".join(body)))


if __name__ == "__main__":
    {"decode": decode, "encode": encode}[sys.argv[1]](*sys.argv[2:])
