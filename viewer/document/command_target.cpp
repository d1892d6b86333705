#include "viewer/document/command_target.h"

#include <algorithm>

const CommandRow* CommandTarget::FindCommand(int id) const {
    const auto row = std::find_if(rows_.begin(), rows_.end(), [id](const CommandRow& r) { return r.id == id; });
    return row == rows_.end() ? nullptr : &*row;
}

bool CommandTarget::HasCommand(int id) const {
    const CommandRow* row = FindCommand(id);
    return row && row->run;
}

bool CommandTarget::OnCommand(int id) const {
    const CommandRow* row = FindCommand(id);
    if (!row || !row->run) return false;
    // A copy: the command may replace this target's rows while it runs.
    const std::function<void()> run = row->run;
    run();
    return true;
}

bool CommandTarget::OnUpdateCommand(CmdUI& ui) const {
    const CommandRow* row = FindCommand(ui.id);
    if (!row) return false;
    if (row->update) row->update(ui);
    else ui.Enable();
    return true;
}

void CommandTarget::AddCommand(int id, std::function<void()> run, std::function<void(CmdUI&)> update) {
    const auto row = std::find_if(rows_.begin(), rows_.end(), [id](const CommandRow& r) { return r.id == id; });
    if (row != rows_.end()) *row = {id, std::move(run), std::move(update)};
    else rows_.push_back({id, std::move(run), std::move(update)});
}

void CommandTarget::RemoveCommand(int id) {
    std::erase_if(rows_, [id](const CommandRow& r) { return r.id == id; });
}
