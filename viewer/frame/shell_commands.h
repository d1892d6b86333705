#pragma once

#include "viewer/document/command_target.h"

#include <functional>

class AppHost;
class CVarnelleApp;
class DocumentProvider;

// The document's place in the command chain: the rows of whichever document is active
// when asked.
class DocumentCommands final : public CommandTarget {
public:
    explicit DocumentCommands(DocumentProvider& documents) : documents_(documents) {}
    const CommandRow* FindCommand(int id) const override;

private:
    DocumentProvider& documents_;
};

// The application's place at the end of the chain, with the framework's exit command and
// the About box.
class ApplicationCommands final : public CommandTarget {
public:
    ApplicationCommands(CVarnelleApp& app, AppHost& host, std::function<void()> exit, std::function<void()> about);
};
