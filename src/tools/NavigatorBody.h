#pragma once
// The body of the Easy Access Navigator panel: a tree of every module, page and tool. Choosing
// an item with the mouse or the keys posts its code to the main window ("TNSNavigatorSel");
// the main window opens the place through the action of the same name. The tree is built anew
// each time the panel opens, with DIARY, NUTRITION and TOOLS expanded.

#include "app/ShellHooks.h"

#include <QPointer>
#include <QWidget>

#include <span>

class QTreeWidget;

namespace tavrin::tools {

class NavigatorBody : public QWidget, public app::PanelContent {
    Q_OBJECT
public:
    struct Place {
        int depth; // 0 top level, 1 inside the one above
        const char* text;
        int code;
        bool expanded;
    };
    // The tree in order; codes 118 and 119 are not used.
    static std::span<const Place> places();

    explicit NavigatorBody(QWidget* parent = nullptr);

    // Who hears "TNSNavigatorSel"; the main window when not set.
    void setReceiver(QObject* receiver) { receiver_ = receiver; }
    QTreeWidget* tree() const { return tree_; }
    void rebuild();
    void panelExpanded() override { rebuild(); }

protected:
    // The mouse over the tree asks the main window to keep the panel open ("TNSNavigatorIn").
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QObject* receiver() const;

    QTreeWidget* tree_;
    QPointer<QObject> receiver_;
    bool building_ = false;
};

} // namespace tavrin::tools
