#pragma once

// The format number handed to the decoder; the viewer picks it from the extension.
enum ImageFormat : int {
    FORMAT_UNKNOWN = 0,
    FORMAT_BMP = 1,
    FORMAT_GIF = 2,
    FORMAT_JPEG = 3,
    FORMAT_PNG = 4,
    FORMAT_ICO = 5,
    FORMAT_TIFF = 6,
    FORMAT_TGA = 7,
    FORMAT_PCX = 8,
    FORMAT_WBMP = 9,
    FORMAT_WMF = 10,
    FORMAT_JP2 = 11,
    FORMAT_JPC = 12,
    FORMAT_PGX = 13,
    FORMAT_PNM = 14,
    FORMAT_RAS = 15,
    // Beyond the original table: the formats of today's phones and the web.
    FORMAT_HEIF = 16,
    FORMAT_AVIF = 17,
    FORMAT_WEBP = 18,
};
