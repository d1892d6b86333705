#pragma once

#include "viewer/print/printer_settings.h"

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/messages.h"

#include <optional>
#include <string>
#include <vector>

// What the application asks of its host framework during start-up and for its commands.
class AppHost {
public:
    virtual ~AppHost() = default;
    // Profile settings under `key` with the given number of recent-file entries.
    virtual void LoadProfile(const std::string& key, int recentFiles) = 0;
    // The new-document command: makes document, frame and view and loads the show at
    // `startPath` (none when empty), showing the slide named `firstSlide` first when given.
    virtual bool NewDocument(const std::string& startPath, const std::string& firstSlide) = 0;
    virtual void ShowMainWindow() = 0;
    // The folder selection dialog; false on Cancel.
    virtual bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& result) = 0;
    virtual void ShowPrintSetup() = 0;
};

struct AppServices {
    platform::FileSystem& fs;
    platform::MessageSink& messages;
    platform::Clock& clock;
    PrinterService& printers;
};

// The viewer's application object: its own command line, the run log and the
// application-level commands.
class CVarnelleApp {
public:
    // Run-log content kept from earlier runs, at most this many bytes.
    static constexpr std::size_t kMaxOldLogBytes = 102400;

    explicit CVarnelleApp(AppServices services) : services_(services) {}

    bool InitInstance(const std::string& rawCommandLine, AppHost& host);
    // Start-up from the program's arguments: a file manager's one opened path, or else the
    // arguments joined into the raw command line.
    bool InitInstance(const std::vector<std::string>& arguments, AppHost& host);
    // Logs the raw text, then splits it at spaces and tabs into the switch and the path.
    void SplitCommandLine(const std::string& raw, std::string& logSwitch, std::string& startPath);
    void AddLogLine(const std::string& message);
    void WriteLogFile();
    void ApplyPrinterSettings(const PrinterNames& names, const PrinterMode& mode);
    // The printer the framework prints to: the one chosen last, else the system's default.
    std::optional<PrinterSettings> GetPrinterDeviceDefaults() const;
    // The print-setup dialog's choice, which needs no default printer.
    void SelectPrinter(const PrinterSettings& settings) { printer_ = settings; }
    // A new document for the start path, which is then used up: a later new document (the
    // Close command) is an empty show, not another try at the same path.
    bool NewDocument(AppHost& host);
    void OnFileOpen(AppHost& host);

    const std::optional<PrinterSettings>& Printer() const { return printer_; }
    AppServices& Services() { return services_; }

    std::string m_strLogSwitch = "0";
    std::string m_strStartPath;
    // The picture an opened path named, shown first; used up with the start path.
    std::string m_strFirstSlide;
    std::vector<std::string> m_astrLogLines;

private:
    bool OpenFirstDocument(AppHost& host);

    AppServices services_;
    std::optional<PrinterSettings> printer_;
};
