#!/usr/bin/env python3
"""Draws the reference pictures of the HEIF, AVIF and WebP tests and encodes them with the
Debian encoders (libheif-examples, libavif-bin, webp). Run from this folder; the outputs are
committed, so the tests never need the encoders."""
import os
import struct
import subprocess
import tempfile
import zlib

W, H = 47, 31  # odd on purpose: chroma subsampling and the containers' crop get exercised


def lose_first_coded_item(source, target):
    """Gives the first item entry (the picture's own coded tile, as heif-enc lists it) a
    type no decoder knows, so the picture cannot be decoded; its thumbnail stays whole."""
    data = bytearray(open(source, "rb").read())
    entry = data.find(b"infe")
    at = data.find(b"hvc1", entry)
    assert entry > 0 and at > entry
    data[at:at + 4] = b"zzzz"
    open(target, "wb").write(data)


def run(*args):
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)


# Display P3 (P3 primaries, D65 white, the sRGB curve) as Little CMS writes it.
P3_PROFILE_C = r"""
#include <lcms2.h>
#include <stdio.h>
int main(void) {
    cmsCIExyY white = {0.3127, 0.3290, 1.0};
    cmsCIExyYTRIPLE primaries = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    cmsFloat64Number srgb[] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(NULL, 4, srgb);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    return cmsSaveProfileToFile(profile, "display-p3.icc") ? 0 : 1;
}
"""


def display_p3_profile():
    with tempfile.TemporaryDirectory() as tmp:
        source, program = os.path.join(tmp, "p3.c"), os.path.join(tmp, "p3")
        with open(source, "w") as f:
            f.write(P3_PROFILE_C)
        run("cc", source, "-o", program, "-llcms2")
        run(program)
    with open("display-p3.icc", "rb") as f:
        data = f.read()
    os.remove("display-p3.icc")
    return data


def png(path, pixels, channels, icc=None):
    rows = b"".join(b"\0" + bytes(row) for row in pixels)
    colour_type = 6 if channels == 4 else 2

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, colour_type, 0, 0, 0)))
        if icc:
            f.write(chunk(b"iCCP", b"Display P3\0\0" + zlib.compress(icc, 9)))
        f.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        f.write(chunk(b"IEND", b""))


def picture(inverted=False):
    # Gradients that differ along x and y, so a turned or mirrored picture shows.
    rows = []
    for y in range(H):
        row = []
        for x in range(W):
            rgb = [40 + x * 180 // (W - 1), 30 + y * 200 // (H - 1), 200 - (x + y) * 150 // (W + H - 2)]
            row += [255 - v for v in rgb] if inverted else rgb
        rows.append(row)
    return rows


def transparent_picture():
    rows = []
    for y, base in enumerate(picture()):
        row = []
        for x in range(W):
            alpha = 0 if x < 6 else min(255, (x - 6) * 255 // (W - 20))
            row += base[3 * x:3 * x + 3] + [alpha]
        rows.append(row)
    return rows


png("picture.png", picture(), 3)
png("inverted.png", picture(inverted=True), 3)
png("transparent.png", transparent_picture(), 4)
png("display-p3.png", picture(), 3, display_p3_profile())

run("heif-enc", "-q", "90", "-o", "picture.heic", "picture.png")
run("heif-enc", "-q", "90", "-t", "32", "-o", "thumbnail.heic", "picture.png")
lose_first_coded_item("thumbnail.heic", "thumbnail-only.heic")
run("heif-enc", "-q", "90", "-o", "transparent.heic", "transparent.png")
# heif-enc 1.15 writes no nclx box for PNG input, so the HEIF carries the profile itself.
run("heif-enc", "-q", "90", "-o", "display-p3.heic", "display-p3.png")
os.remove("display-p3.png")
run("avifenc", "-s", "8", "--lossless", "picture.png", "lossless.avif")
run("avifenc", "-s", "8", "--min", "4", "--max", "8", "-y", "420", "picture.png", "picture.avif")
run("avifenc", "-s", "8", "--lossless", "--irot", "1", "picture.png", "irot1.avif")
run("avifenc", "-s", "8", "--lossless", "--irot", "3", "--imir", "1", "picture.png", "irot3-imir1.avif")
run("avifenc", "-s", "8", "--lossless", "--imir", "0", "picture.png", "imir0.avif")
run("avifenc", "-s", "8", "--lossless", "transparent.png", "transparent.avif")
run("avifenc", "-s", "8", "--min", "4", "--max", "8", "-y", "420", "--cicp", "12/13/6", "picture.png",
    "display-p3.avif")
run("cwebp", "-quiet", "-lossless", "picture.png", "-o", "lossless.webp")
run("cwebp", "-quiet", "-q", "92", "picture.png", "-o", "picture.webp")
run("cwebp", "-quiet", "-lossless", "-exact", "transparent.png", "-o", "transparent.webp")
run("img2webp", "-lossless", "picture.png", "inverted.png", "-o", "animation.webp")
