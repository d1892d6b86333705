#include "setup/install_engine.h"

#include "setup/entry_paths.h"
#include "setup/registry_cleanup.h"
#include "setup/setup_messages.h"
#include "setup/setup_texts.h"
#include "setup/shortcuts.h"
#include "setup/system_checks.h"

namespace setup {
namespace {

#if !defined(_WIN32)
bool HasDotMember(const std::string& path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string member = path.substr(start, end - start);
        if (member == "." || member == "..") return true;
        start = end + 1;
    }
    return false;
}
#endif

// Tells the busy handler for as long as it lives, whichever way the install returns.
class BusyScope {
public:
    explicit BusyScope(const std::function<void(bool)>& handler) : handler_(handler) {
        if (handler_) handler_(true);
    }
    ~BusyScope() {
        if (handler_) handler_(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    const std::function<void(bool)>& handler_;
};

}  // namespace

#if defined(_WIN32)
bool IsInstallableDirectory(const std::vector<platform::Mount>& mounts, const std::string& text) {
    // "X:\" and something after it, on a fixed drive; "X:\\" alone is the root again.
    if (text.size() < 4 || text[2] != '\\') return false;
    if (DriveTypeOf(mounts, DriveRootOf(mounts, text)) != platform::DriveType::Fixed) return false;
    return !(text.size() == 4 && text.back() == '\\');
}
#else
bool IsInstallableDirectory(const std::vector<platform::Mount>& mounts, const std::string& text) {
#if defined(_WIN32)
    // "X:\" and at least one character more, on a fixed drive, other than a lone "\".
    if (text.size() < 4 || text[2] != '\\') return false;
    if (DriveTypeOf(mounts, text.substr(0, 3)) != platform::DriveType::Fixed) return false;
    return !(text.size() == 4 && text.back() == '\\');
#else
    if (text.empty() || text[0] != '/' || HasDotMember(text)) return false;
    const std::string root = DriveRootOf(mounts, text);
    if (DriveTypeOf(mounts, root) != platform::DriveType::Fixed) return false;
    // Something must follow the root other than separators.
    if (text.size() <= root.size()) return false;
    return text.find_first_not_of('/', root.size()) != std::string::npos;
#endif
}
#endif

InstallEngine::InstallEngine(SetupServices& services, std::string systemName)
    : services_(services), systemName_(std::move(systemName)) {}

void InstallEngine::Tell(const std::string& text, const char* caption) {
    services_.messages.Show(platform::Warning(text, caption));
}

void InstallEngine::SetUp() {
    config_ = SetupConfig();
    log_ = InstallLog();
    colorDepthText_ = GetColorDepthText(services_.display);
    setupDirectory_ = WithTrailingSeparator(services_.files.CurrentDirectory());
    windowsDirectory_ = services_.system.WindowsDirectory();
    systemDriveRoot_ = services_.system.SystemDriveRoot();
    valid_ = ReadInstallConfig(services_.files, setupDirectory_, &config_);
    shortcutDirectory_ =
        ShortcutDirectory(systemName_, windowsDirectory_, systemDriveRoot_, config_.linkDir,
                          services_.system.ProgramsMenuDirectory());
    directoryText_ = installationDirectory_ = systemDriveRoot_ + config_.appName;
    requiredKB_ = ParseSizeKB(config_.sizeText);
    availableKB_ = GetFreeSpaceKB(services_.drives, systemDriveRoot_, systemName_);
}

bool InstallEngine::ReadConfigAgain() {
    valid_ = ReadInstallConfig(services_.files, setupDirectory_, &config_);
    if (!valid_) Tell(texts::kBadConfigFile, texts::kProgramTitle);
    shortcutDirectory_ =
        ShortcutDirectory(systemName_, windowsDirectory_, systemDriveRoot_, config_.linkDir,
                          services_.system.ProgramsMenuDirectory());
    requiredKB_ = ParseSizeKB(config_.sizeText);
    return valid_;
}

void InstallEngine::ChooseRoot(const std::string& root, const std::string& directoryText) {
    const auto mounts = services_.drives.Mounts();
    const std::string oldRoot = DriveRootOf(mounts, directoryText);
    const std::string rest =
        directoryText.size() > oldRoot.size() ? directoryText.substr(oldRoot.size()) : std::string();
    directoryText_ = installationDirectory_ = root + rest;
    availableKB_ = GetFreeSpaceKB(services_.drives, root, systemName_);
}

std::string InstallEngine::RequiredLabel() const {
    return FormatDecimal(requiredKB_ / 1024) + texts::kMegabytesSuffix;
}

std::string InstallEngine::AvailableLabel() const {
    const auto megabytes = static_cast<std::uint32_t>(availableKB_) >> 10;
    return FormatDecimal(static_cast<int>(megabytes)) + texts::kMegabytesSuffix;
}

std::string InstallEngine::ColorDepthLabel() const {
    if (colorDepthText_ == texts::kNotAvailable) return colorDepthText_;
    return colorDepthText_ + texts::kBitsPerPixelSuffix;
}

bool InstallEngine::Install(const std::string& directoryText) {
    if (!valid_) {
        Tell(texts::kSetupFilesCorrupted, texts::kProgramTitle);
        return false;
    }
    directoryText_ = directoryText;
    if (!IsInstallableDirectory(services_.drives.Mounts(), directoryText_)) {
        Tell(texts::kInvalidDirectory, texts::kInvalidCaption);
        return false;
    }
    installationDirectory_ = WithTrailingSeparator(directoryText_);
    // Both figures are unsigned kilobytes in signed storage: compared signed, 2 to 4 TiB
    // free would read as less than nothing.
    if (!(static_cast<std::uint32_t>(requiredKB_) < static_cast<std::uint32_t>(availableKB_))) {
        const platform::Message question{texts::kFullDriveQuestion, texts::kFullDriveCaption,
                                         platform::MessageIcon::Warning,
                                         platform::MessageButtons::YesNo};
        if (services_.messages.Show(question) == platform::MessageAnswer::No) return false;
    }
    const BusyScope busy(busy_);
    if (!SourcesPresent()) {
        Tell(texts::kSourcesMissing, texts::kIncompleteInstallCaption);
        return false;
    }
    const std::string logPath =
        installationDirectory_ + platform::kPathSeparator + texts::kInstallLogName;
    if (!CreateDirectories()) {
        RemoveDirectories();
        log_.WriteTo(services_.files, logPath);
        return false;
    }
    CopyFiles();
    if (!MakeShortcuts()) {
        Tell(texts::kShortcutsFailed, texts::kProgramTitle);
        DeleteShortcuts(services_.operations, log_, shortcutDirectory_, config_.links);
    }
    RegistryCleaner(services_.registry, services_.messages, SetupAction::Install, log_)
        .Run(config_.registryKeys);
    if (ParseSizeKB(colorDepthText_) < 16 || colorDepthText_ == texts::kNotAvailable)
        Tell(texts::ColorDepthNote(config_.appName), texts::kSpecialNoteCaption);
    log_.WriteTo(services_.files, logPath);
    return true;
}

bool InstallEngine::SourcesPresent() const {
    for (const auto& source : config_.sources) {
        if (!services_.operations.Exists(setupDirectory_ + source)) return false;
    }
    return true;
}

bool InstallEngine::CreateEntry(const std::string& entry) {
    const std::string path = installationDirectory_ + entry;
    log_.Add(texts::CreateDirectoryAction(path));
    if (!services_.operations.CreateDirectory(path)) {
        log_.Add(texts::kFailed);
        Tell(texts::CannotCreateDirectory(entry), texts::kErrorCaption);
        return false;
    }
    log_.Add(texts::kSuccess);
    return true;
}

bool InstallEngine::CreateDirectories() {
    auto& ops = services_.operations;
    const bool existed = ops.Exists(installationDirectory_);
    if (!existed) {
        log_.Add(texts::CreateDirectoryAction(installationDirectory_));
        if (!ops.CreateDirectory(installationDirectory_)) {
            log_.Add(texts::kFailed);
            Tell(texts::kCannotCreateInstallDirectory, texts::kErrorCaption);
            return false;
        }
        log_.Add(texts::kSuccess);
    }
    // Each entry is one level, so a nested entry must come after its parent.
    for (const auto& entry : config_.directories) {
        if (existed && ops.Exists(installationDirectory_ + entry)) continue;
        if (!CreateEntry(entry)) return false;
    }
    return true;
}

void InstallEngine::RemoveDirectories() {
    auto& ops = services_.operations;
    for (const auto& entry : config_.directories) {
        const std::string path = installationDirectory_ + entry;
        log_.Add(texts::DeleteDirectoryAction(path));
        log_.Add(ops.RemoveDirectory(path) ? texts::kSuccess : texts::kFailed);
    }
    log_.Add(texts::DeleteDirectoryAction(installationDirectory_));
    log_.Add(ops.RemoveDirectory(installationDirectory_) ? texts::kSuccess : texts::kFailed);
}

void InstallEngine::CopyFiles() {
    auto& ops = services_.operations;
    for (std::size_t i = 0; i < config_.destinations.size(); ++i) {
        const std::string source = setupDirectory_ + config_.sources[i];
        const std::string destination = installationDirectory_ + config_.destinations[i];
        log_.Add(texts::CopyAction(source, destination));
        // A folder of the entry replaced by a link would take the file outside the
        // installation directory, as the uninstaller also guards against.
        const bool throughLink = ReachesThroughLink(ops, installationDirectory_, config_.destinations[i]);
        if (source == destination) log_.Add(texts::kCopyOverSelf);
        else if (throughLink) log_.Add(texts::kFailed);
        else log_.Add(ops.CopyFile(source, destination) ? texts::kSuccess : texts::kFailed);
        // Files from read-only media become writable.
        if (!throughLink) ops.SetArchiveOnly(destination);
    }
}

bool InstallEngine::MakeShortcuts() {
    if (shortcutDirectory_.empty()) return true;
    auto& ops = services_.operations;
    DeleteShortcuts(ops, log_, shortcutDirectory_, config_.links);  // an earlier install's go first
    log_.Add(texts::CreateShortcutDirectoryAction(shortcutDirectory_));
    if (!ops.CreateDirectory(shortcutDirectory_)) {
        log_.Add(texts::kFailed);
        return false;
    }
    log_.Add(texts::kSuccess);
    for (std::size_t i = 0; i < config_.links.size(); ++i) {
        const std::string& name = config_.links[i];
        if (name.empty()) continue;
        log_.Add(texts::CreateShortcutAction(name));
        if (CreateShellLink(services_.links, installationDirectory_, config_.destinations[i],
                            ShortcutPath(shortcutDirectory_, name), name) < 0) {
            log_.Add(texts::kFailed);
            return false;
        }
        log_.Add(texts::kSuccess);
    }
    return true;
}

}  // namespace setup
