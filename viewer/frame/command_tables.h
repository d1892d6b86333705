#pragma once

#include <span>

// The frame's menus, accelerators, tool bar and status panes as data.

struct MenuEntry {
    const char* popup;     // top-level menu
    const char* subPopup;  // nested popup inside it, or null
    const char* text;      // as stored: '&' marks the mnemonic, a tab starts the key hint
    int id;                // 0 for a separator
    const char* prompt;    // status prompt "message\ntip", or null
};

struct Accelerator {
    const char* keys;  // in the portable key-sequence notation, e.g. "Ctrl+F1"
    int id;
};

struct ToolButton {
    int id;  // 0 for a separator
};

struct StatusPane {
    int id;
    int width;            // pixels
    const char* initial;  // text until the first update
};

std::span<const MenuEntry> MenuEntries();
std::span<const Accelerator> Accelerators();
std::span<const ToolButton> ToolButtons();
std::span<const StatusPane> StatusPanes();
// The status prompt of a command ("message\ntip"), or null.
const char* CommandPrompt(int id);
