#pragma once

#include <string>

// What an update handler says about a command's menu item, tool button or status pane.
struct CmdUI {
    explicit CmdUI(int commandId = 0) : id(commandId) {}

    int id;
    bool enabled = false;
    bool checked = false;
    bool hasText = false;  // only panes take a text
    std::string text;

    void Enable(bool on = true) { enabled = on; }
    void SetCheck(bool on = true) { checked = on; }
    void SetText(std::string value) {
        hasText = true;
        text = std::move(value);
    }
};

// Something that takes command messages, delivered synchronously: the view, the document,
// the frame and the application, asked in that order.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Whether this target handles the command at all.
    virtual bool HasCommand(int id) const {
        (void)id;
        return false;
    }
    virtual void OnCommand(int id) = 0;
    // Fills `ui` and returns true when this target has an update handler for `ui.id`.
    virtual bool OnUpdateCommand(CmdUI& ui) {
        (void)ui;
        return false;
    }
};

// The document's zoom notice to the view.
inline constexpr int ID_VIEW_APPLY_ZOOM = 33026;
