#include "viewer/app/command_router.h"

bool CommandRouter::Route(int id) {
    for (CommandTarget* target : chain_)
        if (target && target->OnCommand(id)) return true;
    return false;
}

CmdUI CommandRouter::Update(int id) {
    CmdUI ui(id);
    for (CommandTarget* target : chain_)
        if (target && target->OnUpdateCommand(ui)) return ui;
    return ui;
}
