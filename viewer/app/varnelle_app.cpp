#include "viewer/app/varnelle_app.h"

#include "viewer/app/opened_path.h"
#include "viewer/res/texts.h"

#include <algorithm>
#include <cstdio>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads one token starting at `pos`, after skipping spaces and tabs.
std::string NextToken(const std::string& text, std::size_t& pos) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && !IsBlank(text[pos])) ++pos;
    return text.substr(start, pos - start);
}

// "%m/%d/%y, %I:%M:%S:" followed by the milliseconds without leading zeros and "- ".
std::string LogPrefix(const platform::LocalTime& t) {
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d, %02d:%02d:%02d:%d- ", t.month, t.day, t.year % 100, hour12,
                  t.minute, t.second, t.millisecond);
    return buffer;
}

}  // namespace

void CVarnelleApp::SplitCommandLine(const std::string& raw, std::string& logSwitch, std::string& startPath) {
    AddLogLine(texts::kLogCommandLine + raw + "\n");
    std::size_t pos = 0;
    logSwitch = NextToken(raw, pos);
    startPath = NextToken(raw, pos);
}

void CVarnelleApp::AddLogLine(const std::string& message) {
    m_astrLogLines.push_back(LogPrefix(services_.clock.Now()));
    m_astrLogLines.push_back(message);
}

void CVarnelleApp::WriteLogFile() {
    if (m_strLogSwitch != "1") return;
    m_astrLogLines.push_back("\n");
    const std::string path =
        services_.fs.CurrentDirectory() + platform::kPathSeparator + texts::kAppTitle + ".log";

    // Only as much of the old log as could be kept is read: up to its first zero byte,
    // and one byte past the limit to tell that it is too long.
    std::string old(kMaxOldLogBytes + 1, '\0');
    platform::FileCause cause = platform::FileCause::None;
    {
        auto file = services_.fs.Open(path, platform::OpenMode::ReadCreate, true, &cause);
        if (!file) return;
        std::size_t got = 0;
        // A log that cannot be read is left as it is rather than overwritten.
        if (file->Read(old.data(), old.size(), &got) != platform::FileCause::None) return;
        old.resize(got);
    }
    old.resize(std::min(old.size(), old.find('\0')));
    if (old.size() > kMaxOldLogBytes) old.clear();

    auto file = services_.fs.Open(path, platform::OpenMode::WriteCreate, true, &cause);
    if (!file) return;
    std::string content = std::move(old);
    for (const auto& element : m_astrLogLines) content += element;
    if (file->Seek(0) != platform::FileCause::None) return;
    if (file->Write(content.data(), content.size()) != platform::FileCause::None) return;
    (void)file->TruncateHere();
}

bool CVarnelleApp::InitInstance(const std::string& rawCommandLine, AppHost& host) {
    host.LoadProfile(texts::kProfileKey, 4);
    AddLogLine(texts::kLogCheck);
    if (!rawCommandLine.empty()) {
        AddLogLine(texts::kLogParse);
        SplitCommandLine(rawCommandLine, m_strLogSwitch, m_strStartPath);
        std::replace(m_strStartPath.begin(), m_strStartPath.end(), '|', ' ');
        std::replace(m_strLogSwitch.begin(), m_strLogSwitch.end(), '|', ' ');
        AddLogLine(texts::kLogSwitch + m_strLogSwitch + "\n");
        AddLogLine(texts::kLogPath + m_strStartPath + "\n");
    } else {
        m_strStartPath.clear();
        m_strLogSwitch = "0";
        AddLogLine(texts::kLogEmpty);
    }
    return OpenFirstDocument(host);
}

bool CVarnelleApp::InitInstance(const std::vector<std::string>& arguments, AppHost& host) {
    const std::optional<OpenedPath> opened = ReadOpenedPath(arguments, services_.fs);
    if (!opened) return InitInstance(JoinArguments(arguments), host);
    // Logged as the two-token form would log the switch 0 with this path, so kept in memory only.
    host.LoadProfile(texts::kProfileKey, 4);
    AddLogLine(texts::kLogCheck);
    AddLogLine(texts::kLogParse);
    AddLogLine(texts::kLogCommandLine + arguments.front() + "\n");
    m_strLogSwitch = "0";
    m_strStartPath = opened->startPath;
    m_strFirstSlide = opened->firstSlide;
    AddLogLine(texts::kLogSwitch + m_strLogSwitch + "\n");
    AddLogLine(texts::kLogPath + arguments.front() + "\n");
    return OpenFirstDocument(host);
}

bool CVarnelleApp::OpenFirstDocument(AppHost& host) {
    WriteLogFile();
    if (!NewDocument(host)) return false;
    host.ShowMainWindow();
    return true;
}

std::optional<PrinterSettings> CVarnelleApp::GetPrinterDeviceDefaults() const {
    if (printer_) return printer_;
    return services_.printers.DefaultPrinter();
}

void CVarnelleApp::ApplyPrinterSettings(const PrinterNames& names, const PrinterMode& mode) {
    // A printer picked in Print Setup counts even when the system names no default.
    if (!GetPrinterDeviceDefaults()) {
        services_.messages.Show(platform::Warning(texts::kNoDefaultPrinter));
        return;
    }
    printer_ = PrinterSettings{names, mode};
}

bool CVarnelleApp::NewDocument(AppHost& host) {
    const std::string path = std::move(m_strStartPath);
    const std::string firstSlide = std::move(m_strFirstSlide);
    m_strStartPath.clear();
    m_strFirstSlide.clear();
    return host.NewDocument(path, firstSlide);
}

void CVarnelleApp::OnFileOpen(AppHost& host) {
    m_strStartPath.clear();
    m_strFirstSlide.clear();
    std::string chosen;
    if (!host.ChooseFolder(texts::kFolderSelectTitle, std::string(1, platform::kPathSeparator), chosen)) return;
    m_strStartPath = chosen;
    NewDocument(host);
}
