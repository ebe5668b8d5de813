#!/usr/bin/env python3
"""Writes the seed corpus for the movie header fuzz target into fuzz/corpus/swf_header/.

The sample movies as tools/swfgen writes them, each compression, and a few damaged or short
headers. Run it again after changing it; the output is deterministic.
"""
import lzma
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools", "swfgen"))
import swf  # noqa: E402
import swfgen  # noqa: E402

OUT = os.path.join(HERE, "corpus", "swf_header")


def lzma_movie(fws, dictionary=1 << 16):
    """ZWS: compressed length, the five LZMA property bytes, then raw LZMA data."""
    filters = [{"id": lzma.FILTER_LZMA1, "dict_size": dictionary, "lc": 3, "lp": 0, "pb": 2}]
    data = lzma.compress(fws[8:], format=lzma.FORMAT_RAW, filters=filters)
    properties = bytes([3 + 0 * 9 + 2 * 45]) + struct.pack("<I", dictionary)
    return b"ZWS" + bytes([13]) + fws[4:8] + struct.pack("<I", len(data)) + properties + data


def main():
    os.makedirs(OUT, exist_ok=True)
    clock = swfgen.clock()
    stage = swf.movie(550, 400, 24, 1, [swf.show_frame()])
    seeds = {
        "clock.swf": clock,
        "clock-cws.swf": swf.compressed(clock),
        "clock-zws.swf": lzma_movie(clock),
        "weather.swf": swfgen.weather(),
        "stage-550x400.swf": stage,
        "stage-cws.swf": swf.compressed(stage),
        "stage-zws.swf": lzma_movie(stage),
        "nbits-zero.swf": b"FWS\x08\x10\x00\x00\x00\x00\x00\x0c\x01\x00",
        "short-rect.swf": stage[:12],
        "damaged-cws.swf": swf.compressed(stage)[:8] + b"\x78\x9c\xff\xff\x00\x13",
        "huge-dictionary-zws.swf": lzma_movie(stage)[:13] + b"\xff\xff\xff\xff" + lzma_movie(stage)[17:],
        "signature-only.swf": b"CWS",
        "text.txt": b"FWS is not enough: this is text\n",
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
