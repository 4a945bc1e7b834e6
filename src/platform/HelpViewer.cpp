#include "platform/HelpViewer.h"

#include "platform/Help.h"
#include "platform/ShellOpen.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tavrin::platform {
namespace {

// The help pages are written for a light page. On a dark field (a dark skin) their style
// sheet gets the field's colours after its own rules, so that the later rules win.
class SkinnedBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant res = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::StyleSheetResource || !res.isValid()) return res;
        const QPalette pal = palette();
        const QColor base = pal.color(QPalette::Base), text = pal.color(QPalette::Text);
        if (base.lightness() >= 110) return res;
        const auto mix = [](const QColor& a, const QColor& b, int percentOfA) {
            const auto part = [&](int x, int y) {
                return (x * percentOfA + y * (100 - percentOfA)) / 100;
            };
            return QColor(part(a.red(), b.red()), part(a.green(), b.green()),
                          part(a.blue(), b.blue()))
                .name();
        };
        QColor link = pal.color(QPalette::Link);
        if (link.lightness() < 110) link = QColor(120, 170, 255);
        const QString dark =
            QStringLiteral("\nbody { color: %1; background-color: %2; }\n"
                           "h1, h2 { color: %3; }\nh3 { color: %1; }\na { color: %3; }\n"
                           "p.nav { color: %4; }\np.note { background-color: %5; }\n"
                           "table.grid { border-color: %6; }\nth { background-color: %7; }\n")
                .arg(text.name(), base.name(), link.name(), mix(text, base, 65),
                     mix(QColor(255, 230, 140), base, 18), mix(text, base, 40),
                     mix(text, base, 14));
        const QString sheet = res.typeId() == QMetaType::QByteArray
                                  ? QString::fromUtf8(res.toByteArray())
                                  : res.toString();
        return sheet + dark;
    }
};

} // namespace

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent), dir_(Help::helpDir()), browser_(new SkinnedBrowser(this)) {
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
    if (url.scheme() == QLatin1String(Help::kCommandScheme)) {
        Help::runCommand(url.path(), window());
        return;
    }
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
