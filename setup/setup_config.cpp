#include "setup/setup_config.h"

#include "setup/entry_paths.h"
#include "setup/setup_texts.h"

#include <algorithm>
#include <array>

namespace setup {
namespace {

enum class Section {
    None, AppName, DelRegKey, InstSize, LinkDir, DirDest, FileSource, FileDest, LinkDest, LicAgree
};

struct Header {
    const char* text;
    Section section;
};

constexpr std::array<Header, 9> kHeaders = {{
    {"[APPNAME]", Section::AppName},
    {"[DELREGKEY]", Section::DelRegKey},
    {"[INSTSIZE]", Section::InstSize},
    {"[LINKDIR]", Section::LinkDir},
    {"[DIRDEST]", Section::DirDest},
    {"[FILESOURCE]", Section::FileSource},
    {"[FILEDEST]", Section::FileDest},
    {"[LINKDEST]", Section::LinkDest},
    {"[LICAGREE]", Section::LicAgree},
}};

constexpr const char* kLicenceHeader = "[LICAGREE]";

Section SectionOf(const std::string& token) {
    for (const auto& h : kHeaders) {
        if (token == h.text) return h.section;
    }
    return Section::None;
}

int CountHeaders(const std::vector<std::string>& tokens, bool withLicence) {
    int count = 0;
    for (const auto& token : tokens) {
        const Section s = SectionOf(token);
        if (s != Section::None && (withLicence || s != Section::LicAgree)) ++count;
    }
    return count;
}

// The walk shared by the install and uninstall readers.
void WalkEntries(const std::vector<std::string>& tokens, bool keepSources, SetupConfig* c) {
    Section current = Section::None;
    for (const auto& token : tokens) {
        if (const Section s = SectionOf(token); s != Section::None) {
            current = s;
            continue;
        }
        switch (current) {
        case Section::None: break;
        case Section::AppName: c->appName = token; break;
        case Section::InstSize:
            if (keepSources) c->sizeText = token;
            break;
        case Section::LinkDir: c->linkDir = token; break;
        case Section::DelRegKey: c->registryKeys.push_back(token); break;
        case Section::FileSource:
            if (keepSources) c->sources.push_back(token);
            break;
        case Section::FileDest: c->destinations.push_back(token); break;
        case Section::DirDest: c->directories.push_back(token); break;
        case Section::LinkDest: c->links.push_back(token == "*" ? std::string() : token); break;
        case Section::LicAgree: return;  // the licence is free text, never entries
        }
    }
}

bool LinksFitLinkDir(const SetupConfig& c) {
    return !c.linkDir.empty() ||
           std::all_of(c.links.begin(), c.links.end(), [](const auto& l) { return l.empty(); });
}

// Every entry that is joined to the installation or shortcut folder stays inside it.
bool EntriesStayInside(const SetupConfig& c) {
    const auto inside = [](const std::string& e) { return IsContainedRelativePath(e); };
    if (!std::all_of(c.destinations.begin(), c.destinations.end(), inside)) return false;
    if (!std::all_of(c.directories.begin(), c.directories.end(), inside)) return false;
    if (!c.linkDir.empty() && !IsContainedRelativePath(c.linkDir)) return false;
    return std::all_of(c.links.begin(), c.links.end(), [](const auto& l) { return IsPlainName(l); });
}

void ClearEntries(SetupConfig* c) {
    c->appName.clear();
    c->registryKeys.clear();
    c->sizeText.clear();
    c->linkDir.clear();
    c->directories.clear();
    c->sources.clear();
    c->destinations.clear();
    c->links.clear();
}

bool ReadConfigText(platform::FileSystem& fs, const std::string& directory, std::string* text) {
    std::vector<unsigned char> bytes;
    if (platform::ReadWholeFile(fs, directory + texts::kConfigFileName, kMaxConfigBytes, &bytes) !=
        platform::FileCause::None)
        return false;
    const auto nul = std::find(bytes.begin(), bytes.end(), 0);
    text->assign(bytes.begin(), nul);
    return true;
}

}  // namespace

std::vector<std::string> TokenizeConfig(const std::string& text) {
    std::vector<std::string> tokens;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ';') {
            tokens.push_back(text.substr(start, i - start));
        } else if (text[i] == ']') {
            tokens.push_back(text.substr(start, i - start + 1));
        } else {
            ++i;
            continue;
        }
        start = i + 1;
        while (start < text.size() && (text[start] == ';' || text[start] == '\r' || text[start] == '\n'))
            ++start;
        i = start;
    }
    return tokens;
}

std::int32_t ParseSizeKB(const std::string& text) {
    std::uint32_t value = 0;
    std::uint32_t place = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const std::uint32_t digit = (*it >= '0' && *it <= '9') ? static_cast<std::uint32_t>(*it - '0')
                                                               : static_cast<std::uint32_t>(-1);
        value += digit * place;
        place *= 10u;
    }
    return static_cast<std::int32_t>(value);
}

bool ParseInstallConfig(const std::string& text, SetupConfig* config) {
    ClearEntries(config);
    const auto tokens = TokenizeConfig(text);
    config->valid = false;
    if (CountHeaders(tokens, true) != static_cast<int>(kHeaders.size())) return false;
    WalkEntries(tokens, true, config);
    const std::size_t n = config->destinations.size();
    if (n == 0 || config->sources.size() != n || config->links.size() != n) return false;
    if (!LinksFitLinkDir(*config) || !EntriesStayInside(*config)) return false;
    config->valid = true;
    return true;
}

bool ParseUninstallConfig(const std::string& text, SetupConfig* config) {
    ClearEntries(config);
    const auto tokens = TokenizeConfig(text);
    config->valid = false;
    if (CountHeaders(tokens, true) != static_cast<int>(kHeaders.size())) return false;
    WalkEntries(tokens, false, config);
    const std::size_t n = config->destinations.size();
    if (n == 0 || config->links.size() != n) return false;
    if (!LinksFitLinkDir(*config) || !EntriesStayInside(*config)) return false;
    config->valid = true;
    return true;
}

bool ParseConfigSummary(const std::string& text, SetupConfig* config) {
    config->appName.clear();
    config->licenceText.clear();
    config->valid = false;
    if (const auto at = text.find(kLicenceHeader); at != std::string::npos) {
        std::size_t start = at + std::char_traits<char>::length(kLicenceHeader);
        while (start < text.size() && (text[start] == '\r' || text[start] == '\n')) ++start;
        config->licenceText = text.substr(start);
    }
    const auto tokens = TokenizeConfig(text);
    if (CountHeaders(tokens, false) != static_cast<int>(kHeaders.size()) - 1) return false;
    const auto isStop = [](const std::string& t) {
        const Section s = SectionOf(t);
        return s != Section::None && s != Section::LicAgree;
    };
    auto it = std::find(tokens.begin(), tokens.end(), std::string("[APPNAME]"));
    if (it != tokens.end()) {
        for (++it; it != tokens.end() && !isStop(*it); ++it) config->appName = *it;
    }
    config->valid = true;
    return true;
}

bool ReadInstallConfig(platform::FileSystem& fs, const std::string& directory, SetupConfig* config) {
    std::string text;
    return ReadConfigText(fs, directory, &text) && ParseInstallConfig(text, config);
}

bool ReadUninstallConfig(platform::FileSystem& fs, const std::string& directory,
                         SetupConfig* config) {
    std::string text;
    return ReadConfigText(fs, directory, &text) && ParseUninstallConfig(text, config);
}

bool ReadConfigSummary(platform::FileSystem& fs, const std::string& directory, SetupConfig* config) {
    std::string text;
    return ReadConfigText(fs, directory, &text) && ParseConfigSummary(text, config);
}

}  // namespace setup
