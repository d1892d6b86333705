#pragma once

#include "viewer/document/command_target.h"

#include <vector>

// Routes a command along a chain of targets, as the framework does: the first target that
// handles it wins. Update queries go the same way; an item that nobody handles is disabled.
class CommandRouter {
public:
    explicit CommandRouter(std::vector<CommandTarget*> chain) : chain_(std::move(chain)) {}

    // False when no target handles the command.
    bool Route(int id);
    // The state of the command's item, panes' texts included.
    CmdUI Update(int id);

private:
    std::vector<CommandTarget*> chain_;
};
