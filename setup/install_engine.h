#pragma once

#include "setup/install_log.h"
#include "setup/setup_config.h"
#include "setup/setup_services.h"

#include <cstdint>
#include <functional>
#include <string>

namespace setup {

// The Install dialog's engine: what happens when the dialog opens, when Install is
// pressed, after the configuration was edited and when a drive was chosen. The dialog
// shows the texts it exposes and hands in the directory box's text.
class InstallEngine {
public:
    InstallEngine(SetupServices& services, std::string systemName);

    // The dialog opens: read the configuration, propose a directory, measure space.
    void SetUp();
    // Install pressed with the box's text. True when the install went through and the
    // dialog closes with OK; otherwise it stays open.
    bool Install(const std::string& directoryText);
    // The configuration was edited: read it again. False (after "Bad config.cfg file.")
    // when the new file does not pass.
    bool ReadConfigAgain();
    // A drive root was chosen for the box holding `directoryText`.
    void ChooseRoot(const std::string& root, const std::string& directoryText);
    // Called with true when the install starts working (after the space question) and
    // with false when it returns; the dialog shows the wait cursor in between.
    void SetBusyHandler(std::function<void(bool)> handler) { busy_ = std::move(handler); }

    const std::string& DirectoryText() const { return directoryText_; }
    const std::string& InstallationDirectory() const { return installationDirectory_; }
    const std::string& SetupDirectory() const { return setupDirectory_; }
    const std::string& ShortcutFolder() const { return shortcutDirectory_; }
    const SetupConfig& Config() const { return config_; }
    const InstallLog& Log() const { return log_; }
    bool Valid() const { return valid_; }
    std::int32_t RequiredKB() const { return requiredKB_; }
    std::int32_t AvailableKB() const { return availableKB_; }

    std::string RequiredLabel() const;
    std::string AvailableLabel() const;
    std::string ColorDepthLabel() const;

private:
    void Tell(const std::string& text, const char* caption);
    bool SourcesPresent() const;
    bool CreateEntry(const std::string& entry);
    bool CreateDirectories();
    void RemoveDirectories();
    void CopyFiles();
    bool MakeShortcuts();

    SetupServices& services_;
    SetupConfig config_;
    InstallLog log_;
    bool valid_ = false;
    std::string systemName_;
    std::string colorDepthText_;
    std::string setupDirectory_;
    std::string installationDirectory_;
    std::string windowsDirectory_;
    std::string shortcutDirectory_;
    std::string systemDriveRoot_;
    std::int32_t requiredKB_ = 0;
    std::int32_t availableKB_ = 0;
    std::string directoryText_;
    std::function<void(bool)> busy_;
};

// The directory rule of the Install check on this platform: an absolute path below the
// root of a fixed drive, not the bare root nor the root followed by separators only,
// without "." or ".." members.
bool IsInstallableDirectory(const std::vector<platform::Mount>& mounts, const std::string& text);

}  // namespace setup
