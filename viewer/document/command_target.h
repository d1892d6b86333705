#pragma once

#include <functional>
#include <string>
#include <vector>

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

// One command of a target: what it runs and how its item looks. A row without `run` only
// describes an item (a status pane); one without `update` leaves its item enabled.
struct CommandRow {
    int id = 0;
    std::function<void()> run;
    std::function<void(CmdUI&)> update;
};

// Something that takes command messages, delivered synchronously: the view, the document,
// the frame and the application, asked in that order. Each says what it handles as rows.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // The row of `id`, or null when this target does not handle it.
    virtual const CommandRow* FindCommand(int id) const;

    bool HasCommand(int id) const;
    // Runs the command; false when this target does not run it.
    bool OnCommand(int id) const;
    // Fills `ui` and returns true when this target has the command's row.
    bool OnUpdateCommand(CmdUI& ui) const;

protected:
    // Adds the row, or replaces the one with its id.
    void AddCommand(int id, std::function<void()> run, std::function<void(CmdUI&)> update = {});
    void AddUpdate(int id, std::function<void(CmdUI&)> update) { AddCommand(id, {}, std::move(update)); }
    void RemoveCommand(int id);

private:
    std::vector<CommandRow> rows_;
};
