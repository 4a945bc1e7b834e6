#include "platform/HelpWindow.h"

#include "platform/Help.h"
#include "platform/HelpViewer.h"
#include "storage/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tavrin::platform {

QList<QPair<QString, QString>> HelpWindow::contentsEntries(const QString& helpDir) {
    QList<QPair<QString, QString>> out;
    QFile f(QDir(helpDir).filePath(QString::fromLatin1(Help::kContentsPage)));
    if (!f.open(QIODevice::ReadOnly)) return out;
    // The contents page is the one list of pages; read its links rather than keep a second list.
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(f.readAll()));
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const QString href = frag.charFormat().anchorHref();
            if (href.isEmpty() || href.contains(':') || href.startsWith('#')) continue;
            const QString file = href.section('#', 0, 0);
            bool seen = false;
            for (const auto& e : out)
                seen = seen || e.first == file;
            if (!seen) out.append({file, frag.text().trimmed()});
        }
    }
    return out;
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), viewer_(new HelpViewer(this)), contents_(new QListWidget(this)),
      back_(new QPushButton(QStringLiteral("Back"), this)),
      forward_(new QPushButton(QStringLiteral("Forward"), this)),
      home_(new QPushButton(QStringLiteral("Home"), this)) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QString::fromUtf8(texts::kProgramTitle) + QStringLiteral(" Help"));
    contents_->setObjectName(QStringLiteral("helpContents"));
    back_->setObjectName(QStringLiteral("helpBack"));
    forward_->setObjectName(QStringLiteral("helpForward"));
    home_->setObjectName(QStringLiteral("helpHome"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(home_);
    buttons->addStretch();
    auto* split = new QSplitter(this);
    split->addWidget(contents_);
    split->addWidget(viewer_);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 600});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(split);
    resize(860, 600);

    for (const auto& [file, title] : contentsEntries(Help::helpDir())) {
        auto* item = new QListWidgetItem(title.isEmpty() ? file : title, contents_);
        item->setData(Qt::UserRole, file);
    }
    connect(contents_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        viewer_->showTopic(item->data(Qt::UserRole).toString());
    });
    connect(back_, &QPushButton::clicked, viewer_, &HelpViewer::back);
    connect(forward_, &QPushButton::clicked, viewer_, &HelpViewer::forward);
    connect(home_, &QPushButton::clicked, viewer_, &HelpViewer::home);
    connect(viewer_, &HelpViewer::topicChanged, this, &HelpWindow::syncContents);
    connect(viewer_, &HelpViewer::historyChanged, this, &HelpWindow::updateButtons);
    updateButtons();
}

bool HelpWindow::showTopic(const QString& name) {
    if (viewer_->showTopic(name)) return true;
    viewer_->home();
    return false;
}

void HelpWindow::syncContents(const QString& file) {
    for (int i = 0; i < contents_->count(); ++i) {
        if (contents_->item(i)->data(Qt::UserRole).toString() == file) {
            contents_->setCurrentRow(i);
            return;
        }
    }
    contents_->clearSelection();
}

void HelpWindow::updateButtons() {
    back_->setEnabled(viewer_->browser()->isBackwardAvailable());
    forward_->setEnabled(viewer_->browser()->isForwardAvailable());
}

} // namespace tavrin::platform
