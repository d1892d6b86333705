#pragma once

#include <QMainWindow>

#include <functional>

// The viewer's frame window: menus whose items send command ids, and the slide area.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    using CommandHandler = std::function<void(int id)>;
    explicit CMainFrame(CommandHandler onCommand);

private:
    void BuildMenus();
    CommandHandler onCommand_;
};
