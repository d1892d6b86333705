#include "viewer/app/command_router.h"

bool CommandRouter::Route(int id) {
    for (CommandTarget* target : chain_) {
        if (target && target->HasCommand(id)) {
            target->OnCommand(id);
            return true;
        }
    }
    return false;
}

CmdUI CommandRouter::Update(int id) {
    CmdUI ui(id);
    for (CommandTarget* target : chain_) {
        if (!target) continue;
        if (target->OnUpdateCommand(ui)) return ui;
        if (target->HasCommand(id)) {
            ui.Enable();
            return ui;
        }
    }
    return ui;
}
