#include "tools/CTavrinDlgTools.h"

#include "app/CTavrinDlgChangePassword.h"
#include "app/DiaryState.h"
#include "app/ModuleRegistry.h"
#include "app/ShellHooks.h"
#include "platform/DataPaths.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"
#include "storage/OldDiaryImport.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "tools/CTavrinDlgCompactEntries.h"
#include "tools/CTavrinDlgImportOld.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

namespace tavrin::tools {

QString CTavrinDlgTools::address(Web page) {
    const QString site = QString::fromLatin1(texts::kWebSite);
    switch (page) {
    case Web::Site:
        return site;
    case Web::Forums:
        return site + "/forums";
    case Web::WishList:
        return site + "/wishlist";
    case Web::Community:
        return site + "/community";
    case Web::BugReport:
        return site + "/bugs";
    }
    return site;
}

CTavrinDlgTools::CTavrinDlgTools(QWidget* parent) : ui::CCustomDialog(BackMain, parent) {
    setWindowFlags(Qt::Widget);
    setObjectName("toolsPage");

    struct Button {
        QString caption;
        QString name;
        std::function<void()> run;
    };
    // The page's own buttons, then what the modules offer in the group.
    auto group = [this](const char* title, const char* name, app::ToolGroup which,
                        std::vector<Button> buttons) {
        for (const app::ToolEntry& e : app::ModuleRegistry::toolEntries(which))
            buttons.push_back({e.caption, e.name, [this, run = e.run] { run(this); }});
        auto* g = new ui::CCustomStatic(title, this, ui::CCustomStatic::Group);
        g->setObjectName(name);
        auto* grid = new QGridLayout(g);
        grid->setContentsMargins(14, 24, 14, 14);
        grid->setSpacing(10);
        int i = 0;
        for (const Button& b : buttons) {
            auto* button = new ui::CCustomButton(b.caption, g);
            button->setObjectName(b.name);
            button->setAutoDefault(false);
            button->setMinimumWidth(200);
            button->setMinimumHeight(28);
            connect(button, &QPushButton::clicked, this, b.run);
            grid->addWidget(button, i / 2, i % 2);
            ++i;
        }
        return g;
    };
    auto* web = group(
        "Electronic Interaction", "electronicGroup", app::ToolGroup::ElectronicInteraction,
        {{"Visit Tavelle's WWW site", "webSiteButton", [] { openWeb(Web::Site); }},
         {"Visit Tavelle's Forums", "forumsButton", [] { openWeb(Web::Forums); }},
         {"Visit Tavelle's Wish List", "wishListButton", [] { openWeb(Web::WishList); }},
         {"Visit Tavelle's Users Community", "communityButton", [] { openWeb(Web::Community); }},
         {"Submit a bug report", "bugReportButton", [] { openWeb(Web::BugReport); }},
         {"Send an e-mail to the author", "mailButton", [] { mailAuthor(); }}});
    // Backup and export are the organiser's windows, reached through the module registry.
    const auto toolAction = [this](app::ToolAction a) {
        return [this, a] { app::ModuleRegistry::runToolAction(a, this); };
    };
    auto* port =
        group("Import/Export", "importExportGroup", app::ToolGroup::ImportExport,
              {{"Convert from v2.xx", "convertV2Button", [this] { convertV2(this); }},
               {"Convert from v3.0x", "convertV3Button", [this] { convertV3(this); }},
               {"Backup", "backupButton", toolAction(app::ToolAction::Backup)},
               {"Export to text", "exportButton", toolAction(app::ToolAction::ExportText)}});
    auto* security =
        group("Security", "securityGroup", app::ToolGroup::Security,
              {{"Change password", "changePasswordButton", [this] { changePassword(this); }}});
    auto* maintenance =
        group("Maintenance", "maintenanceGroup", app::ToolGroup::Maintenance,
              {{"Compact Entries Database", "compactButton", [this] { compactEntries(this); }}});
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { platform::Help::openTopic(kHelpTopic, this); });

    auto* lower = new QHBoxLayout;
    lower->setSpacing(16);
    lower->addWidget(security, 1);
    lower->addWidget(maintenance, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(14);
    layout->addWidget(web);
    layout->addWidget(port);
    layout->addLayout(lower);
    layout->addStretch(1);
}

void CTavrinDlgTools::compactEntries(QWidget* parent) {
    if (!app::DiaryState::instance().usable()) return;
    CTavrinDlgCompactEntries dlg(parent);
    dlg.exec();
    app::DiaryState::instance().markEntriesChanged();
}

void CTavrinDlgTools::convertV2(QWidget* parent) {
    auto& state = app::DiaryState::instance();
    if (!state.usable()) return;
    // Imported entries take the password and security pairs of the diary's first entry.
    if (!state.makeTN()->FirstEntry(true)) {
        platform::MessageBox::warning(OldDiaryImport::kNoEntry, parent);
        return;
    }
    CTavrinDlgImportOld dlg(parent);
    dlg.exec();
}

QString CTavrinDlgTools::converterPath() {
    return QDir(platform::DataPaths::programDir()).filePath(kConverter);
}

void CTavrinDlgTools::convertV3(QWidget* parent) {
    const QString converter = converterPath();
    const QFileInfo info(converter);
    if (!info.isFile() || !info.isExecutable()) {
        platform::MessageBox::warning("The converter for version 3.0x diaries is missing. It is "
                                      "looked for beside Tavelle Suite as:\n" +
                                          QDir::toNativeSeparators(converter),
                                      parent);
        return;
    }
    if (!platform::MessageBox::question(kConvertQuestion, parent)) return;
    if (!platform::ShellOpen::runProgram(converter)) return;
    // The converter works on the files this program has open: it ends here.
    if (app::ShellCommands* shell = app::ShellHooks::shell())
        if (auto* main = qobject_cast<QDialog*>(shell->shellWindow())) main->done(0);
}

void CTavrinDlgTools::changePassword(QWidget* parent) {
    if (!app::DiaryState::instance().usable()) return;
    app::changeOpenDiaryPassword(parent);
}

void CTavrinDlgTools::openWeb(Web page) {
    platform::ShellOpen::openUrl(address(page));
}

void CTavrinDlgTools::mailAuthor() {
    platform::ShellOpen::mail(QString::fromLatin1(kAuthor) + "?subject=" +
                              QString::fromUtf8(QUrl::toPercentEncoding(texts::kProgramTitle)));
}

} // namespace tavrin::tools
