#include "viewer/qt/full_screen_menus.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

FullScreenMenus::FullScreenMenus(QWidget* window, QList<QMenu*> menus)
    : QObject(window), window_(window), menus_(std::move(menus)) {
    for (int index = 0; index < menus_.size(); ++index) {
        QMenu* menu = menus_[index];
        menu->installEventFilter(this);
        for (QMenu* sub : menu->findChildren<QMenu*>()) sub->installEventFilter(this);

        const QString title = menu->title();
        const int mnemonic = title.indexOf('&');
        if (mnemonic < 0 || mnemonic + 1 >= title.size()) continue;
        auto* key = new QAction(window);
        key->setShortcut(QKeySequence(QStringLiteral("Alt+") + title.at(mnemonic + 1)));
        key->setEnabled(false);
        connect(key, &QAction::triggered, this, [this, index] { Open(index); });
        window->addAction(key);
        keys_.push_back(key);
    }
}

void FullScreenMenus::SetEnabled(bool on) {
    enabled_ = on;
    for (QAction* key : keys_) key->setEnabled(on);
}

void FullScreenMenus::Open(int index) {
    QMenu* menu = menus_[index];
    menu->popup(window_->mapToGlobal(QPoint(0, 0)));
    // Down in a menu with nothing highlighted moves to its first item, by the style's rule
    // on greyed items; highlighting it directly would also open a submenu it holds.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &down);
}

int FullScreenMenus::IndexOf(QMenu* menu) const {
    for (QWidget* w = menu; w; w = w->parentWidget())
        if (const int index = menus_.indexOf(qobject_cast<QMenu*>(w)); index >= 0) return index;
    return -1;
}

bool FullScreenMenus::eventFilter(QObject* watched, QEvent* event) {
    if (!enabled_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool right = key->key() == Qt::Key_Right;
    if ((!right && key->key() != Qt::Key_Left) || (key->modifiers() & ~Qt::KeypadModifier)) return false;
    auto* menu = qobject_cast<QMenu*>(watched);
    const int index = menu ? IndexOf(menu) : -1;
    if (index < 0) return false;
    // The menu's own moves come first: Right opens the highlighted item's submenu, Left
    // closes a submenu.
    if (right) {
        const QAction* active = menu->activeAction();
        if (active && active->isEnabled() && active->menu()) return false;
    } else if (menu != menus_[index]) {
        return false;
    }
    for (QWidget* w = menu; w && w != window_; w = w->parentWidget())
        if (auto* open = qobject_cast<QMenu*>(w)) open->hide();
    const int count = static_cast<int>(menus_.size());
    Open((index + (right ? 1 : count - 1)) % count);
    return true;
}
