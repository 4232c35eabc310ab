#!/usr/bin/env python3
"""Writes the sample profile files of this folder (run from anywhere; output is committed).

Every field holds its own name unless a sample says otherwise; ProfileSamplesTest.cpp checks
the loaded records against the same rules.
"""
import os
import struct

FIELDS = [
    "pageTitle", "homeHeading", "homeSubheading", "companyName", "homeBody", "picturePath",
    "testimonialsHeading", *[f"testimonials[{i}]" for i in range(6)], "faqHeading",
    *[x for i in range(5) for x in (f"faqQuestions[{i}]", f"faqAnswers[{i}]")],
    "featuresHeading", "featuresDescription", *[f"features[{i}]" for i in range(6)],
    "specialOffer", "companyDescription", "paymentLink", "aboutHeading1", "aboutHeading2",
    "aboutBody1", "aboutBody2", "productName", "productDescription", "price", "mailingAddress",
    "siteUrl",
]
assert len(FIELDS) == 44


def prefix(n):
    if n < 0xFF:
        return bytes([n])
    if n < 0xFFFE:
        return b"\xff" + struct.pack("<H", n)
    return b"\xff\xff\xff" + struct.pack("<I", n)


def narrow(text: bytes):
    return prefix(len(text)) + text


def wide(units):
    """units: a list of UTF-16 code units."""
    return b"\xff\xfe\xff" + prefix(len(units)) + b"".join(struct.pack("<H", u) for u in units)


def utf16(text):
    data = text.encode("utf-16-le")
    return list(struct.unpack(f"<{len(data) // 2}H", data))


SAMPLE = {
    "companyName": b"Caf\xe9 \x80 Ltd",
    "homeBody": b"First line\r\nSecond line\r\n",
    "testimonials[0]": b"Great! " * 50,
}

WIDE = {
    # e-acute and the euro sign are in Windows-1252; U+0100 is not.
    "companyName": utf16("Caf\u00e9 \u20ac \u0100"),
    # a surrogate pair (one '?'), a lone low surrogate ('?'), a lone high one at the end ('?')
    "homeBody": utf16("A\r\nB ") + [0xD83D, 0xDE00, 0x20, 0xDC00, 0x20, 0xD800],
    "testimonials[0]": utf16("w" * 300),  # 16-bit second prefix
}

here = os.path.dirname(os.path.abspath(__file__))


def write(name, data):
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)


write("empty.dat", b"\0" * 44)
write("sample.dat", b"".join(narrow(SAMPLE.get(f, f.encode())) for f in FIELDS))
write("wide.dat", b"".join(
    wide(WIDE[f]) if f in WIDE else (narrow(f.encode()) if i % 2 else wide(utf16(f)))
    for i, f in enumerate(FIELDS)))
write("short.dat", b"".join(narrow(f.encode()) for f in FIELDS[:43]))
past = narrow(b"T") + b"\xff\xff\xff\xff\xff\xff\xff"
write("pastend.dat", past + b"x" * (50 - len(past)))
write("extra.dat", b"".join(narrow(f.encode()) for f in FIELDS) + b"TRAILING \xff\xff\xff\xff\xff\xff\xff")
