#include "tools/NavigatorBody.h"

#include "platform/Help.h"
#include "platform/WindowMessages.h"
#include "ui/SkinnedWidgets.h"

#include <QHeaderView>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tavrin::tools {

namespace {
constexpr NavigatorBody::Place kPlaces[] = {
    {0, "DIARY", 101, true},
    {1, "Text and Parameters", 102, false},
    {1, "Body Pain Map", 103, false},
    {1, "Medication", 104, false},
    {1, "Fibromyalgia Parameters", 105, false},
    {0, "REMINDERS", 106, false},
    {0, "PLANNER", 107, false},
    {0, "CONTACTS", 108, false},
    {0, "NUTRITION", 109, true},
    {1, "Cookbook", 110, false},
    {1, "Ingredients", 111, false},
    {1, "Daily Calories", 112, false},
    {1, "Shopping List", 113, false},
    {1, "Units Calculator", 114, false},
    {0, "GRAPH", 115, false},
    {0, "TOOLS", 116, true},
    {1, "COMPACT ENTRIES", 117, false},
    {1, "WWW Site", 120, false},
    {1, "Forums", 121, false},
    {1, "Wish List", 122, false},
    {1, "Change Password", 123, false},
    {1, "Backup", 124, false},
    {1, "Export to Text", 125, false},
    {0, "OPTIONS", 126, false},
};
} // namespace

std::span<const NavigatorBody::Place> NavigatorBody::places() {
    return kPlaces;
}

NavigatorBody::NavigatorBody(QWidget* parent) : QWidget(parent), tree_(new QTreeWidget(this)) {
    setObjectName("navigator");
    tree_->setObjectName("navigatorTree");
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(true);
    ui::skinnedField(tree_);
    tree_->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (building_ || !item) return;
        if (QObject* to = receiver())
            platform::WindowMessages::post(to, "TNSNavigatorSel",
                                           item->data(0, Qt::UserRole).toInt());
    });
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    help->setContext(Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this,
            [this] { platform::Help::openTopic("index.html", this); });
    rebuild();
}

QObject* NavigatorBody::receiver() const {
    if (receiver_) return receiver_;
    if (app::ShellCommands* shell = app::ShellHooks::shell()) return shell->shellWindow();
    return nullptr;
}

bool NavigatorBody::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_->viewport() && event->type() == QEvent::Enter)
        if (QObject* to = receiver()) platform::WindowMessages::post(to, "TNSNavigatorIn");
    return QWidget::eventFilter(watched, event);
}

void NavigatorBody::rebuild() {
    building_ = true;
    tree_->clear();
    QTreeWidgetItem* top = nullptr;
    QList<QTreeWidgetItem*> open;
    for (const Place& p : kPlaces) {
        auto* item = p.depth == 0 || !top ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(top);
        item->setText(0, QString::fromLatin1(p.text));
        item->setData(0, Qt::UserRole, p.code);
        if (p.depth == 0) top = item;
        if (p.expanded) open << item;
    }
    for (QTreeWidgetItem* item : open)
        item->setExpanded(true);
    tree_->setCurrentItem(nullptr);
    building_ = false;
}

} // namespace tavrin::tools
