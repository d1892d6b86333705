// Runs every conformance suite in ../shared/testdata (when that folder is present)
// through the decoder table, row by row of each suite's EXPECTED.tsv.
#include "imagelib/decoders.h"
#include "tests/imagelib/png_gamma.h"
#include "tests/imagelib/rgb_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace imagelib_test {
namespace {

using imagelib::ByteSpan;

// VARNELLE_TESTDATA_DIR names the folder itself where the source's parent is out of
// reach (the Windows tests' Wine sandbox sees only the drives it maps).
std::string TestDataDir() {
    if (const char* data = std::getenv("VARNELLE_TESTDATA_DIR")) return data;
    const char* source = std::getenv("VARNELLE_SOURCE_DIR");
    return std::string(source ? source : ".") + "/../shared/testdata";
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

std::string Extension(const std::string& file) {
    const std::size_t dot = file.rfind('.');
    std::string ext = dot == std::string::npos ? "" : file.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// The viewer's extension table, plus extensions it never passes that the suites use:
// "pbm" is a netpbm bitmap, "im1" a Sun raster, and Pillow's "*.bin" overrun
// reproducers are PCX data.
ImageFormat FormatFor(const std::string& file) {
    static const std::pair<const char*, ImageFormat> kTable[] = {
        {"bmp", FORMAT_BMP}, {"gif", FORMAT_GIF}, {"jpg", FORMAT_JPEG}, {"jpeg", FORMAT_JPEG}, {"png", FORMAT_PNG},
        {"tif", FORMAT_TIFF}, {"tiff", FORMAT_TIFF}, {"tga", FORMAT_TGA}, {"pcx", FORMAT_PCX}, {"jp2", FORMAT_JP2},
        {"j2k", FORMAT_JP2}, {"jpc", FORMAT_JPC}, {"j2c", FORMAT_JPC}, {"pnm", FORMAT_PNM}, {"pgm", FORMAT_PNM},
        {"ppm", FORMAT_PNM}, {"ras", FORMAT_RAS},
        {"pbm", FORMAT_PNM}, {"im1", FORMAT_RAS}, {"bin", FORMAT_PCX},
    };
    const std::string ext = Extension(file);
    for (const auto& [name, format] : kTable)
        if (ext == name) return format;
    return FORMAT_UNKNOWN;
}

// Lossy codecs may round differently from the reference decoder.
int ToleranceFor(ImageFormat format) {
    return format == FORMAT_JPEG || format == FORMAT_JP2 || format == FORMAT_JPC ? 2 : 1;
}

// Whether a decoder for `format` is in the table (another branch may not have added it
// yet): an unregistered format fails exactly like the unknown format does.
bool IsRegistered(ImageFormat format) {
    imagelib::Dib unused;
    const std::string unknown = imagelib::DecodeImage(ByteSpan(), FORMAT_UNKNOWN, unused).message();
    return imagelib::DecodeImage(ByteSpan(), format, unused).message() != unknown;
}

// References that are known to be wrong for a file, and what to compare with instead
// (an empty replacement: compare with nothing; `inverted`: the reference is a negative;
// `turnClockwise`: it is to be shown a quarter turn clockwise;
// `refused`: a valid file the codec library cannot read, which must be refused cleanly).
struct ReferenceException {
    const char* suite;
    const char* file;
    const char* replacement;
    bool inverted;
    bool refused = false;
    bool turnClockwise = false;  // the reference is the stored picture of an upright one
};
constexpr ReferenceException kReferenceExceptions[] = {
    // The suite's rendering ignores the one attribute bit the descriptor declares; we
    // honour it as alpha, as the reference decoder does (ORIGIN.md: both are defensible).
    {"tga-testsuite", "b5-attrib.tga", "reference/b5-attrib.tga.ppm", false},
    // The reference decoder inverts 1-bit PCX (set bits are white).
    {"pillow", "pil184.pcx", "reference/pil184.pcx.ppm", true},
    // The reference decoder misreads grey + alpha TGA (its 200x32_la references were
    // dropped for that; those files are checked against Pillow's renderings instead).
    {"pillow", "la.tga", "", false},
    // The reference decoder misreads the 64-byte OS/2 header; the picture is g/pal8's.
    {"bmpsuite", "q/pal8os2v2.bmp", "reference/pal8.bmp.ppm", false},
    // Unused pixel bits that are set are not alpha; the author's first choice of
    // rendering is the opaque picture (the notes name the transparent alternative).
    {"bmpsuite", "q/rgb16faketrns.bmp", "html/rgb16.png", false},
    {"bmpsuite", "q/rgb32fakealpha.bmp", "html/rgb24.png", false},
    // No reference was made (the reference decoder refuses them or decodes them only in
    // part); the author renders them as the rgb24 and pal8 pictures.
    {"bmpsuite", "q/rgb24png.bmp", "html/rgb24.png", false},
    {"bmpsuite", "q/rgb24rle24.bmp", "html/pal8.png", false},
    {"bmpsuite", "x/ba-bm.bmp", "html/pal8.png", false},
    // For gAMA 2.5 the reference decoder's output fits no gamma conversion of the stored
    // samples (it matches gamma 1.0), so there is nothing sound to compare with.
    {"pngsuite", "g25n0g16.png", "", false},
    {"pngsuite", "g25n2c08.png", "", false},
    {"pngsuite", "g25n3p04.png", "", false},
    // Library limitation: giflib refuses LZW minimum code sizes above 8 (this one is 11).
    {"gif-test-suite", "max-codes.gif", "", false, true},
    // Nothing in the file marks it an animation (no delays, no looping extension), so a
    // still viewer composes its images; the last one covers the whole screen.
    {"gif-test-suite", "gif87a-animation.gif", "animation.3.rgba", false},
    // Two images without delays make one picture, the second covering the first; the
    // reference shows the first image alone.
    {"pillow", "background_outside_palette.gif", "", false},
    // The reference is brighter than the stored grey even where the picture is opaque
    // (109 shown as 213), so it is no decode of the samples. The file declares
    // associated alpha: the stored grey is already the picture over black, as we show.
    {"libtiff", "minisblack-2c-8b-alpha.tiff", "", false},
    // The reference holds the stored pixels (ORIGIN.md says so); the file's Exif
    // orientation 6 shows them a quarter turn clockwise.
    {"pillow", "hopper_orientation_6.jpg", "reference/hopper_orientation_6.jpg.ppm", false, false, true},
    // The reference ignores min-is-white: it is the negative of hopper2.tif's, whose
    // samples are this file's inverted, so both files show hopper2.tif's picture.
    {"pillow", "hopper2I.tif", "reference/hopper2.tif.ppm", false},
    // Four 12-bit components, three subsampled each its own way and no colour space:
    // shown as red, green, blue and alpha, as the reference does. The lossy decode is
    // within the conformance bounds of the per-component PGX files, and the reference
    // differs from ours only by rounding (2 pixels by 3), beyond the shared tolerance.
    {"openjpeg-conformance", "p0_06.j2k", "", false},
};

// Where this build's codecs are known to give another result than the Linux build's:
// such a file's refusal or mismatch is reported as a note, not a failure. A null file
// stands for every file of the format. (docs/platform.md lists them with the reasons.)
struct BuildDifference {
    const char* suite;
    const char* file;
    ImageFormat format;
    const char* why;
};
#if defined(_WIN32)
constexpr std::initializer_list<BuildDifference> kBuildDifferences = {
    {nullptr, nullptr, FORMAT_JP2, "no JPEG 2000 codec on Windows"},
    {nullptr, nullptr, FORMAT_JPC, "no JPEG 2000 codec on Windows"},
    {"libjpeg-turbo", "testorig.jpg", FORMAT_JPEG, "the codec's chroma upsampling differs at colour edges"},
    {"libjpeg-turbo", "testimgint.jpg", FORMAT_JPEG, "the codec's chroma upsampling differs at colour edges"},
    {"pillow", "hopper.jpg", FORMAT_JPEG, "the codec's chroma upsampling differs at colour edges"},
    {"pillow", "hopper_16bit_qtables.jpg", FORMAT_JPEG, "the codec's chroma upsampling differs at colour edges"},
    {"pillow", "hopper_orientation_6.jpg", FORMAT_JPEG, "the codec's chroma upsampling differs at colour edges"},
    {"libtiff", "minisblack-1c-16b.tiff", FORMAT_TIFF, "the codec misreads big-endian 16-bit samples"},
    {"libtiff", "rgb-3c-16b.tiff", FORMAT_TIFF, "the codec misreads big-endian 16-bit samples"},
    {"libtiff", "minisblack-2c-8b-alpha.tiff", FORMAT_TIFF, "the codec has no grey + alpha"},
    {"libtiff", "quad-tile.jpg.tiff", FORMAT_TIFF, "the codec has no JPEG-compressed tiles"},
    {"libtiff", "testfax3_bug54_1dnoEOL.tif", FORMAT_TIFF, "the codec does not read Group 3 pages without EOL codes"},
    {"pillow", "hopper2.tif", FORMAT_TIFF, "the codec has no 2-bit grey"},
    {"pillow", "hopper2I.tif", FORMAT_TIFF, "the codec has no 2-bit grey"},
    {"pillow", "hopper_jpg.tif", FORMAT_TIFF, "the codec has no JPEG-compressed strips"},
    {"pillow", "tiff_strip_ycbcr_jpeg_2x2_sampling.tif", FORMAT_TIFF, "the codec has no JPEG-compressed strips"},
    {"gif-test-suite", "image-zero-height.gif", FORMAT_GIF, "the codec refuses an image of no rows"},
    {"gif-test-suite", "image-zero-size.gif", FORMAT_GIF, "the codec refuses an image of no pixels"},
    {"gif-test-suite", "no-data.gif", FORMAT_GIF, "the codec refuses an image without data"},
    {"gif-test-suite", "max-codes.gif", FORMAT_GIF, "the codec reads LZW code sizes above 8, which giflib refuses"},
};
#else
constexpr std::initializer_list<BuildDifference> kBuildDifferences = {};  // the reference build
#endif

const BuildDifference* DifferenceFor(const std::string& suite, const std::string& file, ImageFormat format) {
    for (const auto& d : kBuildDifferences)
        if (d.format == format && (!d.suite || (suite == d.suite && file == d.file))) return &d;
    return nullptr;
}

const ReferenceException* ExceptionFor(const std::string& suite, const std::string& file) {
    for (const auto& e : kReferenceExceptions)
        if (suite == e.suite && file == e.file) return &e;
    return nullptr;
}

struct Row {
    std::string file, format, cls, reference, notes;
};

std::vector<Row> ReadExpected(const std::string& path) {
    std::vector<Row> rows;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::vector<std::string> cols;
        std::stringstream s(line);
        std::string col;
        while (std::getline(s, col, '\t')) cols.push_back(col);
        cols.resize(6);
        rows.push_back({cols[0], cols[1], cols[2], cols[4], cols[5]});
    }
    return rows;
}

// The suite's own rendering named in the notes (preferred, being authoritative: PNG
// renderings, or gif-test-suite's raw RGBA frames "... from X.rgba (frame 0 ...)"), else
// the reference column's PPM; empty when there is nothing to compare with.
std::string ReferenceFor(const std::string& suite, const Row& row) {
    if (const ReferenceException* e = ExceptionFor(suite, row.file)) return e->replacement;
    for (const char* folder : {"expected-png/", "html/"}) {
        const std::size_t at = row.notes.find(folder);
        if (at == std::string::npos) continue;
        const std::size_t end = row.notes.find(".png", at);
        if (end != std::string::npos) return row.notes.substr(at, end + 4 - at);
    }
    const std::size_t rgba = row.notes.find(".rgba (frame 0");
    if (rgba != std::string::npos) {
        const std::size_t start = row.notes.rfind(' ', rgba) + 1;
        return row.notes.substr(start, rgba + 5 - start);
    }
    if (row.reference.rfind("reference/", 0) == 0) return row.reference.substr(0, row.reference.find(' '));
    return "";
}

// Raw RGBA frames carry no size; they are read at the decoded picture's size.
bool LoadReference(const std::string& path, std::uint32_t width, std::uint32_t height, RgbImage& out) {
    const std::string ext = Extension(path);
    if (ext == "png") return ReadPng(path, out);
    if (ext != "rgba") return ReadPpm(path, out);
    const std::vector<std::uint8_t> rgba = ReadBytes(path);
    if (rgba.size() != std::size_t{width} * height * 4) return false;
    out = FromRgbaOverBlack(rgba, width, height);
    return true;
}

RgbImage TurnedClockwise(const RgbImage& in) {
    RgbImage out{in.height, in.width, std::vector<std::uint8_t>(in.rgb.size())};
    for (std::uint32_t y = 0; y < out.height; ++y)
        for (std::uint32_t x = 0; x < out.width; ++x)
            std::copy_n(in.At(y, in.height - 1 - x), 3, &out.rgb[(std::size_t{y} * out.width + x) * 3]);
    return out;
}

struct SuiteReport {
    std::vector<std::string> failures, notes;
    int decoded = 0, refused = 0, compared = 0, skipped = 0;
    std::set<std::string> skippedFormats;
};

void CheckRow(const std::string& dir, const std::string& suite, const Row& row, SuiteReport& report) {
    const ImageFormat format = FormatFor(row.file);
    if (format == FORMAT_UNKNOWN || !IsRegistered(format)) {
        ++report.skipped;
        report.skippedFormats.insert(row.format);
        return;
    }
    const BuildDifference* difference = DifferenceFor(suite, row.file, format);
    const std::string because = difference ? std::string(" [this build: ") + difference->why + "]" : "";
    const bool mustDecode = row.cls == "valid" && !difference;
    const bool isInvalid = row.cls == "invalid";
    const std::vector<std::uint8_t> bytes = ReadBytes(dir + "/" + row.file);
    imagelib::Dib dib;
    const imagelib::Status status = imagelib::DecodeImage(bytes, format, dib);
    if (!status.ok()) {
        ++report.refused;
        const ReferenceException* exception = ExceptionFor(suite, row.file);
        if (mustDecode && !(exception && exception->refused))
            report.failures.push_back(row.file + ": refused (" + status.message() + ")");
        else if (!isInvalid || difference) report.notes.push_back(row.file + ": refused (" + status.message() + ")" + because);
        return;
    }
    ++report.decoded;
    if (const ReferenceException* e = ExceptionFor(suite, row.file); e && e->refused && !difference)
        report.failures.push_back(row.file + ": decoded, but the library is known to refuse it");
    if (isInvalid) return;  // shown partially, and it did not crash
    const std::string reference = ReferenceFor(suite, row);
    if (reference.empty()) return;
    RgbImage expected;
    if (!LoadReference(dir + "/" + reference, dib.Width(), dib.Height(), expected)) {
        report.failures.push_back(row.file + ": cannot read " + reference);
        return;
    }
    ++report.compared;
    const ReferenceException* exception = ExceptionFor(suite, row.file);
    if (exception && exception->inverted)
        for (auto& v : expected.rgb) v = static_cast<std::uint8_t>(255 - v);
    if (exception && exception->turnClockwise) expected = TurnedClockwise(expected);
    const RgbImage actual = FromDib(dib);
    const Difference d = Compare(actual, expected, ToleranceFor(format));
    if (d.sameSize && d.pixelsBeyond == 0) return;
    // PngSuite's references were written with the file's gAMA converted to sRGB (though
    // its ORIGIN.md says otherwise); decoders here keep stored samples, so compare
    // through the same conversion.
    const std::optional<double> gamma = format == FORMAT_PNG ? DeclaredPngGamma(bytes) : std::nullopt;
    if (gamma && MatchesAfterGamma(actual, expected, *gamma)) return;
    const std::string text = row.file + " vs " + reference + ": " + Describe(d, actual, expected) + because;
    (mustDecode ? report.failures : report.notes).push_back(text);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += "  " + l + "\n";
    return out;
}

class ConformanceSuite : public ::testing::TestWithParam<const char*> {};

TEST_P(ConformanceSuite, DecodesAsExpected) {
    const std::string suite = GetParam();
    const std::string dir = TestDataDir() + "/" + suite;
    if (!Exists(dir + "/EXPECTED.tsv"))
        GTEST_SKIP() << "shared conformance data absent (" << dir << "/EXPECTED.tsv); nothing to check";
    SuiteReport report;
    for (const Row& row : ReadExpected(dir + "/EXPECTED.tsv")) CheckRow(dir, suite, row, report);
    std::cout << suite << ": " << report.decoded << " decoded, " << report.refused << " refused, " << report.compared
              << " compared, " << report.skipped << " skipped";
    if (!report.skippedFormats.empty()) {
        std::cout << " (no decoder registered for:";
        for (const auto& f : report.skippedFormats) std::cout << " " << f;
        std::cout << ")";
    }
    std::cout << "\n";
    if (!report.notes.empty()) std::cout << "notes (not failures):\n" << Joined(report.notes);
    EXPECT_TRUE(report.failures.empty()) << report.failures.size() << " failures in " << suite << ":\n"
                                         << Joined(report.failures);
}

INSTANTIATE_TEST_SUITE_P(SharedTestData, ConformanceSuite,
                         ::testing::Values("bmpsuite", "tga-testsuite", "synthetic-netpbm", "pillow", "libtiff",
                                           "libjpeg-turbo", "pngsuite", "giflib", "gif-test-suite",
                                           "openjpeg-conformance"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

}  // namespace
}  // namespace imagelib_test
