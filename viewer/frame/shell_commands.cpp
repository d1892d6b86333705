#include "viewer/frame/shell_commands.h"

#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/command_ids.h"
#include "viewer/view/view_services.h"

const CommandRow* DocumentCommands::FindCommand(int id) const {
    const CVarnelleDoc* doc = documents_.ActiveDocument();
    return doc ? doc->FindCommand(id) : nullptr;
}

ApplicationCommands::ApplicationCommands(CVarnelleApp& app, AppHost& host, std::function<void()> exit,
                                         std::function<void()> about) {
    AddCommand(cmd::ID_FILE_OPEN, [&app, &host] { app.OnFileOpen(host); });
    AddCommand(cmd::ID_FILE_NEW, [&app, &host] { app.NewDocument(host); });
    AddCommand(cmd::ID_FILE_PRINT_SETUP, [&host] { host.ShowPrintSetup(); });
    AddCommand(cmd::ID_APP_EXIT, std::move(exit));
    AddCommand(cmd::ID_APP_ABOUT, std::move(about));
}
