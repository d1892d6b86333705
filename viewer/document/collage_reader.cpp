#include "viewer/document/collage_reader.h"

#include <cstdint>
#include <cstring>
#include <new>

using platform::FileCause;

namespace {

FileCause ReadInt32(platform::File& file, std::int32_t& value) {
    unsigned char bytes[4];
    std::size_t got = 0;
    const FileCause cause = file.Read(bytes, sizeof bytes, &got);
    if (cause != FileCause::None) return cause;
    if (got != sizeof bytes) return FileCause::EndOfFile;
    const std::uint32_t u = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    value = static_cast<std::int32_t>(u);
    return FileCause::None;
}

FileCause ReadEntries(platform::File& file, std::vector<std::string>& slides) {
    FileCause cause = FileCause::None;
    std::uint64_t size = 0;
    if ((cause = file.Size(&size)) != FileCause::None) return cause;
    if ((cause = file.Seek(0)) != FileCause::None) return cause;

    std::int32_t count = 0;
    if ((cause = ReadInt32(file, count)) != FileCause::None) return cause;
    std::uint64_t position = 4;
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t length = 0;
        if ((cause = ReadInt32(file, length)) != FileCause::None) return cause;
        position += 4;
        // The declared length must be there before any memory is set aside for it.
        if (length < 0 || position > size || static_cast<std::uint64_t>(length) > size - position) return FileCause::EndOfFile;
        std::string text(static_cast<std::size_t>(length), '\0');
        std::size_t got = 0;
        if ((cause = file.Read(text.data(), text.size(), &got)) != FileCause::None) return cause;
        if (got != text.size()) return FileCause::EndOfFile;
        position += static_cast<std::uint64_t>(length);
        text.resize(std::strlen(text.c_str()));  // the path ends at its first zero byte
        slides.push_back(std::move(text));
    }
    return FileCause::None;
}

}  // namespace

FileCause ReadCollageFile(platform::FileSystem& fs, const std::string& path, std::vector<std::string>& slides) {
    FileCause cause = FileCause::None;
    auto file = fs.Open(path, platform::OpenMode::Read, true, &cause);
    if (!file) return cause;
    slides.clear();
    try {
        return ReadEntries(*file, slides);
    } catch (const std::bad_alloc&) {
        // Millions of empty entries fit in a small file but not in memory. What was read
        // is given back at once: the viewer is short of memory.
        std::vector<std::string>().swap(slides);
        return FileCause::Generic;
    }
}
