#include "viewer/app/opened_path.h"

#include "viewer/app/text_tools.h"
#include "viewer/document/slide_extensions.h"

std::optional<OpenedPath> ReadOpenedPath(const std::vector<std::string>& arguments, const platform::FileSystem& fs) {
    if (arguments.size() != 1) return std::nullopt;
    const std::string& path = arguments.front();
    // A lone switch such as "1" is never absolute, so it keeps its old meaning.
    if (path.empty() || path.front() != platform::kPathSeparator) return std::nullopt;
    platform::DirEntry entry;
    if (!fs.Find(path, &entry)) return std::nullopt;
    if (entry.isDirectory) return OpenedPath{path, {}};

    const std::size_t slash = path.rfind(platform::kPathSeparator);
    const std::string name = path.substr(slash + 1);
    const std::string extension = CTextTools().GetExtension(name);
    if (extension == "lit") return OpenedPath{path, {}};
    if (!IsSlideExtension(extension)) return std::nullopt;
    // The folder of "/x.png" is the root itself.
    const std::string folder = slash == 0 ? std::string(1, platform::kPathSeparator) : path.substr(0, slash);
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
