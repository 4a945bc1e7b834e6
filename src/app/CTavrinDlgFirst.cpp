#include "app/CTavrinDlgFirst.h"

#include "app/DiaryState.h"
#include "platform/Help.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"

#include <QShortcut>
#include <QVBoxLayout>

namespace tavrin::app {

CTavrinDlgFirst::CTavrinDlgFirst(QWidget* parent) : CCustomDialog(BackMain, parent) {
    setWindowFlags(Qt::Widget);
    setObjectName(QStringLiteral("firstTimePage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    auto* viewer = new platform::HelpViewer(this);
    if (viewer->isInitialized()) {
        viewer_ = viewer;
        layout->addWidget(viewer_);
        viewer_->showTopic(QString::fromLatin1(kFirstTopic));
    } else {
        delete viewer;
        platform::MessageBox::warning(QString::fromLatin1(platform::Help::kUnableToInitialize),
                                      this);
    }
    // The page's own help key.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this, nullptr, nullptr,
                               Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        platform::Help::openTopic(QStringLiteral("Tavrin.chm::/hlpFirstTime.html"), this);
    });
}

QString CTavrinDlgFirst::topicFor(Page page) {
    static const char* const topics[kPageCount] = {
        kFirstTopic,        "hlpDiary.html",    "hlpReminders.html", "hlpPlanner.html",
        "hlpContacts.html", "hlpCookbook.html", "hlpGraph.html",     "hlpTools.html"};
    const int i = int(page);
    return QString::fromLatin1(i >= 0 && i < kPageCount ? topics[i] : kFirstTopic);
}

void CTavrinDlgFirst::pageShown() {
    if (!viewer_) return;
    const Page about = DiaryState::instance().usable() ? previous_ : Page::FirstTime;
    viewer_->showTopic(topicFor(about));
}

QString CTavrinDlgFirst::currentTopic() const {
    return viewer_ ? viewer_->currentTopic() : QString();
}

} // namespace tavrin::app
