#include "viewer/frame/shell_commands.h"

#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/command_ids.h"
#include "viewer/view/view_services.h"

bool DocumentCommands::HasCommand(int id) const {
    const CVarnelleDoc* doc = documents_.ActiveDocument();
    return doc && doc->HasCommand(id);
}

void DocumentCommands::OnCommand(int id) {
    if (CVarnelleDoc* doc = documents_.ActiveDocument()) doc->OnCommand(id);
}

bool ApplicationCommands::HasCommand(int id) const {
    return id == cmd::ID_APP_EXIT || id == cmd::ID_APP_ABOUT || app_.HasCommand(id);
}

void ApplicationCommands::OnCommand(int id) {
    if (id == cmd::ID_APP_EXIT) exit_();
    else if (id == cmd::ID_APP_ABOUT) about_();
    else app_.OnCommand(id, host_);
}
