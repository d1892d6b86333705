// Writes the frame's menu and accelerator table, from the core's command tables, as a
// resource script fragment: the build runs it on the build machine, so every text stays
// in the one texts header.
#include "viewer/win32/rc_quoted.h"
#include "viewer/frame/command_tables.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kMainFrame = 128;

// "Ctrl+Shift+F6" as the virtual-key code and its modifier flags.
std::string AcceleratorLine(const char* keys, int id) {
    std::string flags = "VIRTKEY";
    std::string rest = keys;
    for (const auto& [prefix, flag] : {std::pair{"Ctrl+", ", CONTROL"}, {"Shift+", ", SHIFT"}, {"Alt+", ", ALT"}}) {
        for (auto at = rest.find(prefix); at != std::string::npos; at = rest.find(prefix)) {
            rest.erase(at, std::strlen(prefix));
            flags += flag;
        }
    }
    int code = 0;
    if (rest.size() == 1) code = static_cast<unsigned char>(rest[0]);
    else if (rest[0] == 'F') code = 0x6F + std::stoi(rest.substr(1));  // VK_F1 is 0x70
    return "    " + std::to_string(code) + ", " + std::to_string(id) + ", " + flags + "\n";
}

}  // namespace

int main() {
    std::string rc = std::to_string(kMainFrame) + " MENU\nBEGIN\n";
    const char* popup = nullptr;
    const char* sub = nullptr;
    for (const MenuEntry& entry : MenuEntries()) {
        if (sub && entry.subPopup != sub) rc += "        END\n", sub = nullptr;
        if (!popup || std::strcmp(popup, entry.popup) != 0) {
            if (popup) rc += "    END\n";
            popup = entry.popup;
            rc += "    POPUP " + RcQuoted(popup) + "\n    BEGIN\n";
        }
        if (entry.subPopup && entry.subPopup != sub) {
            sub = entry.subPopup;
            rc += "        POPUP " + RcQuoted(sub) + "\n        BEGIN\n";
        }
        const std::string indent = sub ? "            " : "        ";
        rc += entry.id == 0 ? indent + "MENUITEM SEPARATOR\n"
                            : indent + "MENUITEM " + RcQuoted(entry.text) + ", " + std::to_string(entry.id) + "\n";
    }
    if (sub) rc += "        END\n";
    if (popup) rc += "    END\n";
    rc += "END\n\n" + std::to_string(kMainFrame) + " ACCELERATORS\nBEGIN\n";
    for (const Accelerator& accelerator : Accelerators()) rc += AcceleratorLine(accelerator.keys, accelerator.id);
    rc += "END\n";
    std::fputs(rc.c_str(), stdout);
    return 0;
}
