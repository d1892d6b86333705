#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

// The menus of a hidden menu bar, kept usable from the keyboard: Alt and a menu's mnemonic
// pop that menu up at the window's corner, and Left and Right move to the neighbouring
// menu as they would along the menu bar, wrapping at both ends.
class FullScreenMenus final : public QObject {
public:
    // Adds the Alt keys to `window`, switched off until SetEnabled.
    FullScreenMenus(QWidget* window, QList<QMenu*> menus);

    void SetEnabled(bool on);
    // Pops up menu `index` with its first item highlighted, as a menu bar opens it.
    void Open(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The index of the menu that `menu` is or lies in, -1 for none of ours.
    int IndexOf(QMenu* menu) const;

    QWidget* window_;
    QList<QMenu*> menus_;
    QList<QAction*> keys_;
    bool enabled_ = false;
};
