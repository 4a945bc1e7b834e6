#include "platform/HelpViewer.h"

#include "platform/Help.h"
#include "platform/ShellOpen.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tavrin::platform {

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent), dir_(Help::helpDir()), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("helpViewer"));
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    // Links are followed here: pages of the help folder in the viewer, anything else outside.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    if (!dir_.isEmpty()) browser_->setSearchPaths({dir_});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    // The new address comes with the signal; source() may still hold the old one at that point.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        emit topicChanged(QFileInfo(url.toLocalFile()).fileName());
    });
    connect(browser_, &QTextBrowser::historyChanged, this, &HelpViewer::historyChanged);
}

bool HelpViewer::showTopic(const QString& name) {
    if (!isInitialized()) return false;
    const QString file = Help::topicFile(name);
    const QString page = file.section('#', 0, 0);
    const QFileInfo fi(QDir(dir_).filePath(page));
    if (!fi.isFile()) return false;
    QUrl url = QUrl::fromLocalFile(fi.absoluteFilePath());
    if (file.contains('#')) url.setFragment(file.section('#', 1));
    browser_->setSource(url);
    return true;
}

QString HelpViewer::currentTopic() const {
    const QUrl src = browser_->source();
    return src.isEmpty() ? QString() : QFileInfo(src.toLocalFile()).fileName();
}

void HelpViewer::back() {
    browser_->backward();
}
void HelpViewer::forward() {
    browser_->forward();
}
void HelpViewer::home() {
    showTopic(QString::fromLatin1(Help::kContentsPage));
}

void HelpViewer::followLink(const QUrl& url) {
    const QUrl target = browser_->source().resolved(url);
    if (target.isLocalFile() || target.scheme().isEmpty()) {
        // Only pages inside the help folder; a link pointing elsewhere is ignored.
        const QFileInfo fi(target.toLocalFile());
        if (isInitialized() && fi.isFile() && fi.absolutePath() == QDir(dir_).absolutePath())
            browser_->setSource(target);
        return;
    }
    ShellOpen::openUrl(target.toString());
}

} // namespace tavrin::platform
