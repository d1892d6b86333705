#include "setup/install_log.h"

namespace setup {

std::string InstallLog::Text() const {
    std::string text;
    for (const auto& r : records_) text += r;
    return text;
}

void InstallLog::WriteTo(platform::FileSystem& fs, const std::string& path) const {
    platform::FileCause cause = platform::FileCause::None;
    auto file = fs.Open(path, platform::OpenMode::WriteCreate, false, &cause);
    if (!file) return;
    const std::string text = Text();
    if (file->Write(text.data(), text.size()) == platform::FileCause::None) file->TruncateHere();
}

}  // namespace setup
