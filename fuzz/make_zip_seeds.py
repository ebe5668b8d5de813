#!/usr/bin/env python3
"""Writes the seed corpus for the archive reader's fuzz target into fuzz/corpus/unzip/.

Every seed is built here from scratch: archives laid out like skin packages, archives as other
tools lay them out, and a few hostile ones. Run it again after changing it; the output is
deterministic.
"""
import io
import os
import struct
import zipfile
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "unzip")


def raw_deflate(data, level=8):
    c = zlib.compressobj(level, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush()


class Crypt:
    """Traditional ZIP encryption keyed by the empty password."""

    def __init__(self):
        self.k = [0x12345678, 0x23456789, 0x34567890]

    @staticmethod
    def crc(c, b):
        return zlib.crc32(bytes([b]), c ^ 0xFFFFFFFF) ^ 0xFFFFFFFF

    def update(self, b):
        self.k[0] = self.crc(self.k[0], b)
        self.k[1] = ((self.k[1] + (self.k[0] & 0xFF)) * 134775813 + 1) & 0xFFFFFFFF
        self.k[2] = self.crc(self.k[2], self.k[1] >> 24)

    def encrypt(self, data):
        out = bytearray()
        for b in data:
            t = (self.k[2] | 2) & 0xFFFF
            out.append(b ^ (((t * (t ^ 1)) >> 8) & 0xFF))
            self.update(b)
        return bytes(out)


def archive(members, prefix=b"", comment=b""):
    """members: dicts with name, data and optional method, made_by, attrs, extra, crypt, bad_crc."""
    out = bytearray(prefix)
    central = bytearray()
    for m in members:
        name, data = m["name"], m["data"]
        method = m.get("method", 8)
        crc = zlib.crc32(data)
        payload = raw_deflate(data) if method == 8 else data
        flags = 0x0002 if method == 8 else 0
        if m.get("crypt"):
            flags |= 1
            payload = Crypt().encrypt(bytes(11) + bytes([crc >> 24]) + payload)
        if m.get("bad_crc"):
            crc ^= 0x5A5A5A5A
        extra = m.get("extra", struct.pack("<HHBIII", 0x5455, 13, 7, 1500000000, 1600000000, 1400000000))
        offset = len(out) - len(prefix)
        fields = struct.pack("<HHHHIIIH", flags, method, 0x6000, 0x5A21, crc, len(payload), len(data), len(name))
        out += struct.pack("<IH", 0x04034B50, 20) + fields + struct.pack("<H", len(extra)) + name + extra + payload
        cextra = struct.pack("<HHBI", 0x5455, 5, 7, 1500000000)
        central += struct.pack("<IHH", 0x02014B50, m.get("made_by", 0x0B17), 20) + fields
        central += struct.pack("<HHHHII", len(cextra), 0, 0, 0, m.get("attrs", 0x81800020), offset) + name + cextra
    start = len(out) - len(prefix)
    out += central
    out += struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(members), len(members), len(central), start, len(comment))
    return bytes(out + comment)


def python_archive(streamed=False, comment=b""):
    class Pipe(io.RawIOBase):
        def __init__(self, f):
            self.f = f

        def writable(self):
            return True

        def write(self, b):
            return self.f.write(b)

    buf = io.BytesIO()
    with zipfile.ZipFile(Pipe(buf) if streamed else buf, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in (("conf.ini", b"[CONF]\r\nname=seed\r\n"), ("dir/", b""), ("dir/a.bmp", b"BM" + bytes(300))):
            info = zipfile.ZipInfo(name, (2024, 1, 2, 3, 4, 6))
            info.external_attr = (0o40755 << 16) | 0x10 if name.endswith("/") else 0o100444 << 16
            z.writestr(info, data, zipfile.ZIP_STORED if name.endswith("/") else zipfile.ZIP_DEFLATED)
        z.comment = comment
    return buf.getvalue()


def shared_record_bomb(copies=5, size=1 << 20):
    """One deflated record of zeros with `copies` directory entries pointing at it: a small file
    that would unpack to copies x size bytes."""
    data = bytes(size)
    payload = raw_deflate(data)
    names = [b"a%d.bmp" % k for k in range(copies)]
    fields = lambda name: struct.pack("<HHHHIIIH", 2, 8, 0x6000, 0x5A21, zlib.crc32(data), len(payload), size, len(name))
    out = struct.pack("<IH", 0x04034B50, 20) + fields(names[0]) + struct.pack("<H", 0) + names[0] + payload
    central = b"".join(struct.pack("<IHH", 0x02014B50, 0x0B17, 20) + fields(n) +
                       struct.pack("<HHHHII", 0, 0, 0, 0, 0x81800020, 0) + n for n in names)
    return out + central + struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, copies, copies, len(central), len(out), 0)


def overrunning_record():
    """A stored member whose sizes claim the next member's record as its own data."""
    good = archive([{"name": b"a.ini", "data": b"aaaa", "method": 0}, {"name": b"b.ini", "data": b"bbbb", "method": 0}])
    out = bytearray(good)
    first_local = 0
    # Both headers of a.ini say 40 bytes of data: the local record then runs into b.ini's.
    out[first_local + 18:first_local + 26] = struct.pack("<II", 40, 40)
    central = out.index(b"PK\x01\x02")
    out[central + 20:central + 28] = struct.pack("<II", 40, 40)
    return bytes(out)


def main():
    os.makedirs(OUT, exist_ok=True)
    ini = b"[CONF]\r\nname=seed\r\ncolor=1234\r\n"
    bmp = b"BM" + bytes(range(256)) * 4
    seeds = {
        "skin.vsf": archive([{"name": b"conf.ini", "data": ini}, {"name": b"top.bmp", "data": bmp},
                             {"name": b"empty.swf", "data": b""}]),
        "stored.zip": archive([{"name": b"inner.ZIP", "data": b"PK" + bytes(40), "method": 0}]),
        "empty.zip": archive([]),
        "comment.zip": archive([{"name": b"a.ini", "data": ini}], comment=b"c" * 1100),
        "prefixed.zip": archive([{"name": b"a.ini", "data": ini}], prefix=b"MZ" + bytes(200)),
        "encrypted.zip": archive([{"name": b"s.ini", "data": ini, "crypt": True},
                                  {"name": b"t.bin", "data": b"stored", "method": 0, "crypt": True}]),
        "traversal.zip": archive([{"name": n, "data": b"x"} for n in
                                  (b"../../x.ini", b"..\\y.ini", b"a/../../z", b"C:\\w.ini", b"/abs.ini", b"a/..")]),
        "unix.zip": archive([{"name": b"ro.ini", "data": b"ro", "made_by": 0x031E, "attrs": 0x81240000},
                             {"name": b"d/", "data": b"", "method": 0, "made_by": 0x031E, "attrs": 0x41ED0010},
                             {"name": b"d/f.ini", "data": b"f", "made_by": 0x0014, "attrs": 0x27}]),
        "badcrc.zip": archive([{"name": b"ok.ini", "data": ini}, {"name": b"bad.bmp", "data": bmp, "bad_crc": True}]),
        "gbk.zip": archive([{"name": "皮肤/配置.ini".encode("gbk"), "data": ini}]),
        "extras.zip": archive([{"name": b"e.ini", "data": ini,
                                "extra": struct.pack("<HH", 1, 4) + b"zzzz" + struct.pack("<HHBI", 0x5455, 5, 1, 7)}]),
        "python.zip": python_archive(),
        "streamed.zip": python_archive(streamed=True),
        "pycomment.zip": python_archive(comment=b"k" * 2000),
    }
    # A directory shorter than the member count its end record promises.
    short = bytearray(archive([{"name": b"a.ini", "data": ini}, {"name": b"b.ini", "data": b"b"}]))
    short[-14:-10] = b"\xff\xff\xff\xff"
    seeds["short-directory.zip"] = bytes(short)
    seeds["bomb.zip"] = shared_record_bomb()
    seeds["overlap.zip"] = overrunning_record()
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
