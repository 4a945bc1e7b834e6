#include "tools/CTavrinDlgTools.h"

#include "app/DiaryState.h"
#include "health/CTavrinDlgHealthReport.h"
#include "organiser/CTavrinDlgBackup.h"
#include "organiser/CTavrinDlgExport.h"
#include "platform/Help.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"

#include <QGridLayout>
#include <QShortcut>
#include <QVBoxLayout>

namespace tavrin::tools {

CTavrinDlgTools::CTavrinDlgTools(QWidget* parent) : ui::CCustomDialog(BackMain, parent) {
    setWindowFlags(Qt::Widget);
    setObjectName("toolsPage");

    auto* group = new ui::CCustomStatic("Import/Export", this, ui::CCustomStatic::Group);
    group->setObjectName("importExportGroup");
    auto* backupButton = new ui::CCustomButton("Backup", group);
    backupButton->setObjectName("backupButton");
    auto* exportButton = new ui::CCustomButton("Export to text", group);
    exportButton->setObjectName("exportButton");
    for (auto* b : {backupButton, exportButton}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(160);
    }
    connect(backupButton, &QPushButton::clicked, this, [this] { backup(this); });
    connect(exportButton, &QPushButton::clicked, this, [this] { exportText(this); });
    auto* reportButton = new ui::CCustomButton("Health report", group);
    reportButton->setObjectName("healthReportButton");
    reportButton->setAutoDefault(false);
    reportButton->setMinimumWidth(160);
    connect(reportButton, &QPushButton::clicked, this,
            [this] { health::CTavrinDlgHealthReport::run(this); });
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { platform::Help::openTopic(kHelpTopic, this); });

    auto* inside = new QGridLayout(group);
    inside->setContentsMargins(14, 24, 14, 14);
    inside->setSpacing(10);
    inside->addWidget(backupButton, 0, 0);
    inside->addWidget(exportButton, 0, 1);
    inside->addWidget(reportButton, 1, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(group, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
}

void CTavrinDlgTools::backup(QWidget* parent) {
    if (!app::DiaryState::instance().usable()) return;
    organiser::CTavrinDlgBackup dlg(parent);
    dlg.exec();
}

void CTavrinDlgTools::exportText(QWidget* parent) {
    if (!app::DiaryState::instance().usable()) return;
    organiser::CTavrinDlgExport dlg(parent);
    dlg.exec();
}

} // namespace tavrin::tools
