#include "viewer/frame/main_frame.h"

#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/texts.h"

#include <QAction>
#include <QMenuBar>
#include <QPalette>
#include <QWidget>

namespace {

struct MenuCommand {
    const char* menu;  // "File" or "View"
    const char* text;  // menu text; a tab starts its key
    int id;            // 0: separator
};

// The menus in the order they show; Custom zoom, Help and About join when their dialogs exist.
constexpr MenuCommand kMenuCommands[] = {
    {"&File", texts::kOpenMenu, CVarnelleApp::ID_FILE_OPEN},
    {"&File", texts::kCloseMenu, CVarnelleApp::ID_FILE_NEW},
    {"&View", "300%", CVarnelleDoc::ID_ZOOM_300},
    {"&View", "200%", CVarnelleDoc::ID_ZOOM_200},
    {"&View", "100%", CVarnelleDoc::ID_ZOOM_100},
    {"&View", "75%", CVarnelleDoc::ID_ZOOM_75},
    {"&View", "50%", CVarnelleDoc::ID_ZOOM_50},
    {"&View", "33%", CVarnelleDoc::ID_ZOOM_33},
    {"&View", "", 0},
    {"&View", "Zoom (+)", CVarnelleDoc::ID_ZOOM_IN},
    {"&View", "Zoom (-)", CVarnelleDoc::ID_ZOOM_OUT},
};

}  // namespace

CMainFrame::CMainFrame(CommandHandler onCommand) : onCommand_(std::move(onCommand)) {
    setWindowTitle(QString::fromUtf8(texts::kUntitled) + " - " + QString::fromUtf8(texts::kWindowTitle));
    auto* slideArea = new QWidget(this);
    slideArea->setAutoFillBackground(true);
    QPalette black = slideArea->palette();
    black.setColor(QPalette::Window, Qt::black);
    slideArea->setPalette(black);
    setCentralWidget(slideArea);
    resize(800, 600);
    BuildMenus();
}

void CMainFrame::BuildMenus() {
    QMenu* current = nullptr;
    QString currentName;
    for (const auto& command : kMenuCommands) {
        const QString name = QString::fromUtf8(command.menu);
        if (!current || name != currentName) {
            current = menuBar()->addMenu(name);
            currentName = name;
        }
        if (command.id == 0) {
            current->addSeparator();
            continue;
        }
        const QStringList parts = QString::fromUtf8(command.text).split('\t');
        QAction* action = current->addAction(parts[0]);
        if (parts.size() > 1) action->setShortcut(QKeySequence(parts[1]));
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { onCommand_(id); });
    }
}
