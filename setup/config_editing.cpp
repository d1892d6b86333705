#include "setup/config_editing.h"

#include "setup/setup_config.h"
#include "setup/setup_texts.h"

#include <vector>

namespace setup {

ConfigLoad LoadConfigForEditing(platform::FileSystem& files, const std::string& setupDirectory,
                                std::string* text) {
    const std::string path = setupDirectory + texts::kConfigFileName;
    platform::FileCause cause = platform::FileCause::None;
    if (!files.Open(path, platform::OpenMode::Read, false, &cause)) {
        // A read-only folder keeps no template, but the editor still shows it.
        WriteConfigFile(files, setupDirectory, texts::kConfigTemplate);
        *text = texts::kConfigTemplate;
        return ConfigLoad::Template;
    }
    std::vector<unsigned char> bytes;
    if (platform::ReadWholeFile(files, path, kMaxConfigBytes, &bytes) != platform::FileCause::None) {
        text->clear();
        return ConfigLoad::Unreadable;
    }
    text->assign(bytes.begin(), bytes.end());
    return ConfigLoad::Read;
}

bool WriteConfigFile(platform::FileSystem& files, const std::string& setupDirectory,
                     const std::string& bytes) {
    platform::FileCause cause = platform::FileCause::None;
    auto file = files.Open(setupDirectory + texts::kConfigFileName, platform::OpenMode::WriteCreate, false, &cause);
    if (!file) return false;
    return file->Write(bytes.data(), bytes.size()) == platform::FileCause::None &&
           file->TruncateHere() == platform::FileCause::None;
}

}  // namespace setup
