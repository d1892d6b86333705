#include "viewer/app/opened_path.h"

#include "viewer/app/text_tools.h"
#include "viewer/document/slide_extensions.h"

namespace {

// An absolute path starts with its drive root: "/" here, "C:\\" on Windows.
#if defined(_WIN32)
constexpr std::size_t kRootLength = 3;
bool IsAbsolute(const std::string& path) { return path.size() >= 3 && path[1] == ':' && path[2] == '\\'; }
#else
constexpr std::size_t kRootLength = 1;
bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }
#endif

}  // namespace

std::optional<OpenedPath> ReadOpenedPath(const std::vector<std::string>& arguments, const platform::FileSystem& fs) {
    if (arguments.size() != 1) return std::nullopt;
    const std::string& path = arguments.front();
    // A lone switch such as "1" is never absolute, so it keeps its old meaning.
    if (!IsAbsolute(path)) return std::nullopt;
    platform::DirEntry entry;
    if (!fs.Find(path, &entry)) return std::nullopt;
    if (entry.isDirectory) return OpenedPath{path, {}};

    const std::size_t slash = path.rfind(platform::kPathSeparator);
    const std::string name = path.substr(slash + 1);
    const std::string extension = CTextTools().GetExtension(name);
    if (extension == "lit") return OpenedPath{path, {}};
    if (!IsSlideExtension(extension)) return std::nullopt;
    // The folder of "/x.png" is the root itself.
    const std::string folder = slash + 1 == kRootLength ? path.substr(0, kRootLength) : path.substr(0, slash);
    return OpenedPath{folder, name};
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string raw;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) raw += ' ';
        raw += arguments[i];
    }
    return raw;
}
