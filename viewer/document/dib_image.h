#pragma once

#include "imagelib/heap_block.h"

#include <cstdint>
#include <optional>
#include <vector>

// A logical palette made from a picture's colour table.
struct ColourPalette {
    struct Entry {
        std::uint8_t red = 0, green = 0, blue = 0, flags = 0;
    };
    std::uint16_t version = 0x300;
    std::vector<Entry> entries;
};

// One picture in three separately owned parts: the info header with its colour table,
// the palette (none for true colour) and the bottom-up, 4-byte-padded pixel rows.
struct DibImage {
    imagelib::HeapBlock header;
    std::optional<ColourPalette> palette;
    imagelib::HeapBlock bits;
};
