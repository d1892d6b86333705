// Writes a cursor file from one of the program's XPM cursor pictures: the build runs it on
// the build machine, so the Windows cursors and the Qt face's come from the same pictures.
// The picture's own hot spot (the fifth and sixth numbers of its header) goes into the
// cursor's directory entry; its "None" colour becomes the transparent part of the mask.
//   xpm_to_cur picture.xpm cursor.cur
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The quoted strings of the XPM file, in order.
std::vector<std::string> QuotedLines(std::istream& in) {
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        const auto open = line.find('"');
        const auto close = line.rfind('"');
        if (open != std::string::npos && close > open) lines.push_back(line.substr(open + 1, close - open - 1));
    }
    return lines;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool Fail(const char* why) {
    std::fprintf(stderr, "xpm_to_cur: %s\n", why);
    return false;
}

bool Convert(const char* from, const char* to) {
    std::ifstream in(from);
    const std::vector<std::string> lines = QuotedLines(in);
    if (lines.empty()) return Fail("no XPM header");
    int width = 0, height = 0, colours = 0, perPixel = 0, hotX = 0, hotY = 0;
    std::istringstream(lines[0]) >> width >> height >> colours >> perPixel >> hotX >> hotY;
    if (width != 32 || height != 32 || perPixel != 1 || colours < 1 || colours > 15)
        return Fail("a cursor picture is 32 x 32 with one character a pixel and at most 15 colours");
    if (static_cast<int>(lines.size()) < 1 + colours + height) return Fail("picture rows missing");

    // Index 0 is black: the colour under the transparent part of the mask.
    std::vector<std::uint32_t> palette(16, 0);
    std::map<char, int> index;
    int next = 1;
    for (int c = 0; c < colours; ++c) {
        // "X c #RRGGBB" or "X c None": the first character is the pixel's, which may be '#'.
        const std::string& entry = lines[1 + c];
        const auto key = entry.find(" c ", 1);
        if (key == std::string::npos) return Fail("colour entry without a colour");
        const std::string colour = entry.substr(key + 3);
        if (colour.empty() || colour[0] != '#') {
            index[entry[0]] = -1;  // None
            continue;
        }
        palette[next] = static_cast<std::uint32_t>(std::stoul(colour.substr(1, 6), nullptr, 16));
        index[entry[0]] = next++;
    }

    std::vector<std::uint8_t> image;
    // The bitmap header: twice the height, for the colour rows and the mask rows.
    for (std::uint32_t v : {40u, 32u, 64u}) Put32(image, v);
    Put16(image, 1);
    Put16(image, 4);
    for (int i = 0; i < 6; ++i) Put32(image, 0);
    for (std::uint32_t rgb : palette) Put32(image, rgb);  // 0x00RRGGBB is a colour table entry's byte order
    std::vector<std::uint8_t> mask;
    for (int y = height - 1; y >= 0; --y) {  // bottom-up rows
        const std::string& row = lines[1 + colours + y];
        if (static_cast<int>(row.size()) < width) return Fail("short picture row");
        std::uint32_t maskBits = 0;
        for (int x = 0; x < width; x += 2) {
            int pair[2];
            for (int k = 0; k < 2; ++k) {
                const auto found = index.find(row[x + k]);
                if (found == index.end()) return Fail("pixel of no listed colour");
                pair[k] = found->second < 0 ? 0 : found->second;
                if (found->second < 0) maskBits |= 0x80000000u >> (x + k);
            }
            image.push_back(static_cast<std::uint8_t>(pair[0] << 4 | pair[1]));
        }
        for (int shift = 24; shift >= 0; shift -= 8) mask.push_back((maskBits >> shift) & 0xFF);
    }
    image.insert(image.end(), mask.begin(), mask.end());

    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 2);  // a cursor
    Put16(file, 1);
    file.push_back(32);
    file.push_back(32);
    file.push_back(16);
    file.push_back(0);
    Put16(file, hotX);
    Put16(file, hotY);
    Put32(file, static_cast<std::uint32_t>(image.size()));
    Put32(file, 22);
    file.insert(file.end(), image.begin(), image.end());
    std::ofstream out(to, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return out.good() || Fail("cannot write the cursor");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Fail("usage: xpm_to_cur picture.xpm cursor.cur"), 2;
    return Convert(argv[1], argv[2]) ? 0 : 1;
}
