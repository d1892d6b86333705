#include "viewer/document/collage_reader.h"

#include "platform/fake/fake_file_system.h"
#include "tests/support/heap_budget.h"

#include <gtest/gtest.h>

#include <cstdint>

using platform::FileCause;
using platform::fake::FakeFileSystem;

namespace {

std::string Int32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
            static_cast<char>(u >> 24)};
}

std::string Entry(const std::string& text) { return Int32(static_cast<std::int32_t>(text.size())) + text; }

struct Case {
    const char* name;
    std::string bytes;
    FileCause cause;
    std::vector<std::string> slides;
};

TEST(CollageReader, ReadsEntriesAndStopsCleanlyOnBadInput) {
    using namespace std::string_literals;
    const Case cases[] = {
        {"zero count", Int32(0), FileCause::None, {}},
        {"two entries", Int32(2) + Entry("/a/a.jpg") + Entry("/a/b.png"), FileCause::None, {"/a/a.jpg", "/a/b.png"}},
        {"zero bytes end the text but are consumed", Int32(2) + Int32(10) + "/a/a.jpg\0\0"s + Entry("/b.png"),
         FileCause::None, {"/a/a.jpg", "/b.png"}},
        {"negative count", Int32(-5) + Entry("/x.jpg"), FileCause::None, {}},
        {"empty entry", Int32(1) + Int32(0), FileCause::None, {""}},
        {"bytes after the last entry", Int32(1) + Entry("/x.jpg") + "junk", FileCause::None, {"/x.jpg"}},
        {"no bytes pass through unchanged", Int32(1) + Entry("/my|show/\xE9t\xE9 .JPG"), FileCause::None,
         {"/my|show/\xE9t\xE9 .JPG"}},
        {"empty file", "", FileCause::EndOfFile, {}},
        {"short count", "\x01\x00"s, FileCause::EndOfFile, {}},
        {"huge count, nothing behind it", Int32(0x7FFFFFFF), FileCause::EndOfFile, {}},
        {"count larger than the entries", Int32(3) + Entry("/a.jpg"), FileCause::EndOfFile, {"/a.jpg"}},
        {"length beyond the end", Int32(2) + Entry("/a.jpg") + Int32(0x7FFFFFFF) + "abc", FileCause::EndOfFile,
         {"/a.jpg"}},
        {"negative length", Int32(1) + Int32(-1) + "abcd", FileCause::EndOfFile, {}},
        {"truncated length field", Int32(1) + "\x05\x00"s, FileCause::EndOfFile, {}},
    };
    for (const auto& c : cases) {
        FakeFileSystem fs;
        fs.AddFile("/show.lit", c.bytes);
        std::vector<std::string> slides{"left over"};
        EXPECT_EQ(ReadCollageFile(fs, "/show.lit", slides), c.cause) << c.name;
        EXPECT_EQ(slides, c.slides) << c.name;
    }
}

TEST(CollageReader, OpenFailuresKeepTheListUntouchedAndReportTheirCause) {
    FakeFileSystem fs;
    fs.AddFile("/held.lit", Int32(0));
    fs.Lock("/held.lit");
    std::vector<std::string> slides;
    EXPECT_EQ(ReadCollageFile(fs, "/missing.lit", slides), FileCause::FileNotFound);
    EXPECT_EQ(ReadCollageFile(fs, "/held.lit", slides), FileCause::SharingViolation);
}

TEST(CollageReader, ReadErrorsKeepTheEntriesBeforeThem) {
    FakeFileSystem fs;
    fs.AddFile("/bad.lit", Int32(1) + Entry("/a.jpg"));
    fs.FailReads("/bad.lit", FileCause::HardIO);
    std::vector<std::string> slides;
    EXPECT_EQ(ReadCollageFile(fs, "/bad.lit", slides), FileCause::HardIO);
    EXPECT_TRUE(slides.empty());
}

// A few bytes a file entry, but a string record each in memory: a list that does not fit
// fails as a whole instead of ending the viewer.
TEST(CollageReader, ListTooLargeForMemoryFailsWithTheGenericCause) {
    constexpr std::int32_t kEntries = 200000;
    FakeFileSystem fs;
    fs.AddFile("/empty-entries.lit", Int32(kEntries) + std::string(4u * kEntries, '\0'));
    std::vector<std::string> slides{"left over"};
    {
        testsupport::HeapBudget budget(3u << 20);
        EXPECT_EQ(ReadCollageFile(fs, "/empty-entries.lit", slides), FileCause::Generic);
        EXPECT_TRUE(budget.Exhausted());
    }
    EXPECT_TRUE(slides.empty());
    EXPECT_EQ(slides.capacity(), 0u);

    // With the memory there, the same file is a valid show.
    EXPECT_EQ(ReadCollageFile(fs, "/empty-entries.lit", slides), FileCause::None);
    EXPECT_EQ(slides.size(), static_cast<std::size_t>(kEntries));
}

}  // namespace
