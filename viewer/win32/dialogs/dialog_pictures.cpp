#include "viewer/win32/dialogs/dialog_pictures.h"

#include "viewer/win32/dialogs/dialog_ids.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

struct Colour {
    std::uint8_t r, g, b, a = 255;
};

constexpr Colour kMask{255, 0, 255};
constexpr Colour kNone{0, 0, 0, 0};
constexpr Colour kDark{64, 64, 64};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kGrey{192, 192, 192};

class Canvas {
public:
    Canvas(int size, Colour ground) : size_(size), pixels_(static_cast<std::size_t>(size * size), ground) {}

    void Fill(int x, int y, int w, int h, Colour c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                if (i >= 0 && j >= 0 && i < size_ && j < size_) pixels_[static_cast<std::size_t>(j * size_ + i)] = c;
    }
    // A filled box with a one-pixel outline.
    void Box(int x, int y, int w, int h, Colour outline, Colour body) {
        Fill(x, y, w, h, outline);
        Fill(x + 1, y + 1, w - 2, h - 2, body);
    }
    Colour At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * size_ + x)]; }
    int Size() const { return size_; }

private:
    int size_;
    std::vector<Colour> pixels_;
};

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// BITMAPINFOHEADER; `rows` is twice the height in an icon (picture and mask).
void PutInfoHeader(std::vector<std::uint8_t>& out, int width, int rows, int bits, std::uint32_t imageSize) {
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(rows));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0);
    Put32(out, imageSize);
    for (int i = 0; i < 4; ++i) Put32(out, 0);
}

void DriveBody(Canvas& c, Colour body) {
    c.Box(1, 6, 14, 7, kDark, body);
    c.Fill(2, 7, 12, 1, kWhite);
}

void FixedDrive(Canvas& c) {
    DriveBody(c, kGrey);
    c.Fill(11, 9, 2, 2, {0, 200, 0});
    c.Fill(3, 10, 6, 1, {96, 96, 96});
}

void RemovableDrive(Canvas& c) {
    c.Box(4, 1, 8, 8, {20, 40, 120}, {40, 80, 200});  // a disk half in the slot
    c.Fill(6, 2, 4, 3, {220, 220, 230});
    DriveBody(c, {200, 200, 215});
    c.Fill(3, 9, 10, 2, {32, 32, 32});
}

void CdRomDrive(Canvas& c) {
    // A disc standing on the drive, drawn as rings of boxes.
    c.Box(4, 1, 8, 6, {96, 96, 128}, {225, 225, 245});
    c.Fill(3, 2, 10, 4, {225, 225, 245});
    c.Fill(6, 3, 4, 2, {160, 200, 255});
    c.Fill(7, 3, 2, 1, kWhite);
    DriveBody(c, kGrey);
    c.Fill(3, 10, 10, 1, {96, 96, 96});
}

void NetworkDrive(Canvas& c) {
    c.Box(1, 3, 14, 7, kDark, kGrey);
    c.Fill(2, 4, 12, 1, kWhite);
    c.Fill(11, 6, 2, 2, {0, 200, 0});
    const Colour cable{0, 96, 160};
    c.Fill(7, 10, 2, 3, cable);
    c.Fill(1, 13, 14, 1, cable);
    c.Fill(6, 12, 4, 3, cable);
}

void Folder(Canvas& c, bool open) {
    const Colour edge{128, 96, 0};
    c.Box(1, 3, 6, 3, edge, {255, 215, 90});
    c.Box(1, 5, 14, 9, edge, {255, 215, 90});
    if (open) {
        c.Box(3, 8, 13, 6, edge, {255, 240, 170});
        c.Fill(1, 13, 14, 1, edge);
    }
}

void OpenFolderWithArrow(Canvas& c) {
    Folder(c, true);
    const Colour arrow{0, 150, 0};
    c.Fill(8, 3, 3, 4, arrow);
    c.Fill(7, 2, 5, 1, arrow);
    c.Fill(8, 1, 3, 1, arrow);
    c.Fill(9, 0, 1, 1, arrow);
}

void Computer(Canvas& c) {
    c.Box(1, 1, 14, 10, kDark, {200, 200, 200});
    c.Fill(3, 3, 10, 6, {0, 96, 128});
    c.Box(3, 12, 10, 3, kDark, {160, 160, 160});
}

}  // namespace

void WriteFolderPicture(int resource, const std::string& path) {
    Canvas c(16, kMask);
    switch (resource) {
    case IDB_FIXED_DRIVE: FixedDrive(c); break;
    case IDB_REMOVABLE_DRIVE: RemovableDrive(c); break;
    case IDB_CDROM_DRIVE: CdRomDrive(c); break;
    case IDB_NETWORK_DRIVE: NetworkDrive(c); break;
    case IDB_FOLDER: Folder(c, false); break;
    case IDB_SELECTED_FOLDER: Folder(c, true); break;
    case IDB_SPARE_OPEN_FOLDER: OpenFolderWithArrow(c); break;
    case IDB_SPARE_COMPUTER: Computer(c); break;
    default: break;
    }
    const int stride = 16 * 3;  // already a multiple of four
    const auto bits = static_cast<std::uint32_t>(stride * 16);
    std::vector<std::uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    Put32(file, 14 + 40 + bits);
    Put32(file, 0);
    Put32(file, 14 + 40);
    PutInfoHeader(file, 16, 16, 24, bits);
    for (int y = 15; y >= 0; --y)
        for (int x = 0; x < 16; ++x) {
            const Colour p = c.At(x, y);
            file.insert(file.end(), {p.b, p.g, p.r});
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
}

void WriteProgramIcon(const std::string& path) {
    // A framed slide: sky, a hill and a sun, on a transparent ground.
    Canvas c(32, kNone);
    c.Box(2, 4, 28, 24, {60, 40, 20}, {150, 105, 50});
    c.Fill(5, 7, 22, 18, {110, 170, 235});
    c.Fill(5, 18, 22, 7, {60, 150, 60});
    c.Fill(9, 16, 8, 2, {60, 150, 60});
    c.Fill(20, 9, 4, 4, {255, 220, 40});
    const int size = 32;
    const auto xorBytes = static_cast<std::uint32_t>(size * size * 4);
    const auto andBytes = static_cast<std::uint32_t>(size * 4);  // 32 bits a row
    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);  // an icon
    Put16(file, 1);  // one image
    file.insert(file.end(), {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size), 0, 0});
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, 40 + xorBytes + andBytes);
    Put32(file, 6 + 16);
    PutInfoHeader(file, size, size * 2, 32, xorBytes + andBytes);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const Colour p = c.At(x, y);
            file.insert(file.end(), {p.b, p.g, p.r, p.a});
        }
    for (int y = size - 1; y >= 0; --y) {
        std::uint32_t mask = 0;  // set bits show the screen through
        for (int x = 0; x < size; ++x)
            if (c.At(x, y).a == 0) mask |= 0x80000000u >> x;
        file.insert(file.end(), {static_cast<std::uint8_t>(mask >> 24), static_cast<std::uint8_t>(mask >> 16),
                                 static_cast<std::uint8_t>(mask >> 8), static_cast<std::uint8_t>(mask)});
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
}
