#!/usr/bin/env python3
"""Writes the seed corpora of the open_package, profile_reader and description fuzz targets.

Run from anywhere: python3 fuzz/make_package_seeds.py
The seeds are small skin packages (ZIP archives with BMP strips and a conf.ini) and description
files, covering both header branches, decorations, corner and extra controls, and malformed values.
"""
import io
import os
import struct
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))


def bmp(width, height, colour=(40, 90, 160)):
    stride = (width * 3 + 3) & ~3
    row = bytes(colour[::-1]) * width + b"\0" * (stride - width * 3)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def conf(lines):
    return ("\r\n".join(lines) + "\r\n").encode("gbk")


def package(members, compression=zipfile.ZIP_DEFLATED):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as archive:
        for name, data in members:
            # A fixed time keeps the seeds identical from run to run.
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = compression
            archive.writestr(info, data)
    return buffer.getvalue()


FULL_CONF = [
    "[CONF]", "name=seed", "hue=160", "sat=60", "light=45", "white=1",
    "lefttopx=3", "lefttopy=-4", "rightbottomx=12345", "rightbottomy=7",
    "tile=1", "showname=种子皮肤", "subjectwriter=0", "subjectinfo=0", "id=0",
    "[KEY]", "swflefttop=10,,20,30,40", "swfrighttop=1,2,3", "swfcontrolnum=2",
    "swfcontrol1=5,6,70,80,2", "swfcontrol2=", "",
]

PROFILES = {
    "full.ini": conf(FULL_CONF),
    "empty.ini": b"",
    "lf_only.ini": b"[CONF]\nhue=12\nsat=5\n[KEY]\nswfcontrolnum=99999999999\n",
    "odd_lines.ini": b"; comment\r\n  [ conf ]  \r\n HUE = -7 \r\n=novalue\r\nnoequals\r\n[KEY\r\nswfcontrol1=,,,\r\n",
    "long_name.ini": b"[CONF]\r\nshowname=" + "皮".encode("gbk") * 200 + b"\r\n",
    "bad_corner.ini": conf(["[KEY]", "swfcontrolnum=1", "swfcontrol1=1,2,3,4,9"]),
}

STRIPS = [("TopPanelBKLeft.bmp", bmp(10, 6)), ("TopPanelBKMid.bmp", bmp(20, 6, (200, 50, 50))),
          ("TopPanelBKRight.bmp", bmp(10, 6))]
PACKAGES = {
    "three_strips.vsf": package(STRIPS + [
        ("small.bmp", bmp(6, 4)), ("conf.ini", conf(FULL_CONF)), ("topleft.png", b"\x89PNG\r\n\x1a\nseed"),
        ("bottomright.png", b"\x89PNG\r\n\x1a\n"), ("topleft.swf", b"FWS\x09seed"), ("topright.swf", b"CWS\x09"),
        ("swfcontrol1.swf", b"FWS"), ("swfcontrol2.swf", b"FWS")]),
    "mid_only.vsf": package([("TopPanelBKMid.bmp", bmp(30, 5)), ("small.bmp", bmp(6, 4)),
                             ("conf.ini", conf(["[CONF]", "hue=0", "sat=0", "light=0", "white=0", "showname=mid"]))]),
    "missing_extra.vsf": package(STRIPS + [
        ("conf.ini", conf(["[KEY]", "swfcontrolnum=3", "swfcontrol1=1,2,3,4,1", "swfcontrol2=1,2,3,4,2"])),
        ("swfcontrol1.swf", b"FWS"), ("swfcontrol2.swf", b"FWS")]),
    "uneven_strips.vsf": package([("TopPanelBKLeft.bmp", bmp(4, 6)), ("TopPanelBKMid.bmp", bmp(4, 5)),
                                  ("TopPanelBKRight.bmp", bmp(4, 6))]),
    "stored.vsf": package([("conf.ini", conf(FULL_CONF))], zipfile.ZIP_STORED),
    "escaping_names.vsf": package([("../escape.bmp", bmp(2, 2)), ("sub/TopPanelBKMid.bmp", bmp(3, 3)),
                                   ("/abs.ini", b"[CONF]")]),
    "not_a_zip.vsf": b"PK\x03\x04 this is not really an archive",
}


def write(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    write(os.path.join(HERE, "corpus", "profile_reader"), PROFILES)
    write(os.path.join(HERE, "corpus", "description"), PROFILES)
    write(os.path.join(HERE, "corpus", "open_package"), PACKAGES)
