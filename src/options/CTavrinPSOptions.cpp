#include "options/CTavrinPSOptions.h"

#include "app/DiaryState.h"
#include "app/ModuleRegistry.h"
#include "options/CTavrinPPOptionsGeneral.h"
#include "options/DiaryOptionsPage.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"

#include <QKeySequence>
#include <QShortcut>

namespace tavrin::options {

CTavrinPSOptions::CTavrinPSOptions(QWidget* parent)
    : CCustomPropertySheet(QStringLiteral("Options"), parent),
      general_(new CTavrinPPOptionsGeneral) {
    setObjectName(QStringLiteral("optionsSheet"));
    okButton()->setText(QStringLiteral("Save"));
    cancelButton()->setText(QStringLiteral("Discard"));
    addPage(general_);

    if (app::DiaryState::instance().isOpen()) {
        // The pages the modules offer, in module order.
        for (ui::CCustomPropertyPage* page : app::ModuleRegistry::createOptionPages()) {
            if (auto* diaryPage = qobject_cast<DiaryOptionsPage*>(page))
                addDiaryPage(diaryPage);
            else
                addPage(page);
        }
    } else {
        platform::MessageBox::information(QString::fromLatin1(kNoDiaryMessage), parent);
    }

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &CTavrinPSOptions::showHelp);
}

void CTavrinPSOptions::addDiaryPage(DiaryOptionsPage* page) {
    diaryPages_.append(page);
    addPage(page);
}

OptionsSettings CTavrinPSOptions::settingsValues() const {
    OptionsSettings values = general_->values();
    for (DiaryOptionsPage* page : diaryPages_)
        page->storeSettings(values);
    return values;
}

bool CTavrinPSOptions::writeDiaryConfiguration() const {
    const app::DiaryState& diary = app::DiaryState::instance();
    if (diaryPages_.isEmpty() || !diary.hasPath()) return true;
    // Read first: the pages own only part of the block, the rest must stay as it is.
    auto tn = diary.makeTN();
    if (!tn->ReadConfiguration()) return false;
    for (DiaryOptionsPage* page : diaryPages_)
        page->storeConfiguration(tn->config);
    return tn->WriteConfiguration();
}

void CTavrinPSOptions::showHelp() {
    platform::Help::openTopic(QString::fromLatin1(kHelpTopic), this);
}

void CTavrinPSOptions::showEvent(QShowEvent* event) {
    if (!activated_) {
        activated_ = true;
        activateAllPages();
    }
    CCustomPropertySheet::showEvent(event);
}

void CTavrinPSOptions::activateAllPages() {
    // Last to first, so that every page has initialised itself before the user sees the first;
    // the diary pages count this as their first leaving, which writes nothing.
    for (int i = pageCount() - 1; i >= 0; --i)
        setActivePage(i);
}

} // namespace tavrin::options
