#include "diary/CTavrinPSDiary.h"

#include "app/DiaryState.h"
#include "diary/CTavrinPPBody.h"
#include "diary/CTavrinPPDiary.h"
#include "diary/CTavrinPPParams.h"
#include "platform/Help.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomRichEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShortcut>

namespace tavrin::diary {

CTavrinPSDiary::CTavrinPSDiary(bool editing, const DiaryConfig& config, const EntryRecord& entry,
                               const std::array<QByteArray, 1 + EntryRecord::kTypeTexts>& texts,
                               QWidget* parent)
    : CCustomPropertySheet(editing ? kEditCaption : kNewCaption, parent, Window),
      text_(new CTavrinPPDiary(config, entry, texts)), body_(new CTavrinPPBody(entry)),
      params_(new CTavrinPPParams(entry)) {
    setObjectName("entrySheet");
    addPage(text_);
    addPage(body_);
    addPage(params_);

    okButton()->setText("Save");
    cancelButton()->setText("Discard");
    auto* help = new ui::CCustomButton("Help", this);
    help->setObjectName("helpButton");
    help->setAutoDefault(false);
    buttonRow()->addWidget(help);
    connect(help, &QAbstractButton::clicked, this,
            [this] { platform::Help::openTopic(kHelpTopic, this); });

    // Alt+1 to Alt+5 paste the diary's text shortcuts into whichever field has the focus.
    for (int i = 0; i < 5; ++i) {
        auto* s = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + i)), this);
        connect(s, &QShortcut::activated, this, [i] {
            const QStringList& shortcuts = app::DiaryState::instance().shortcuts();
            if (i < shortcuts.size()) ui::CCustomRichEdit::pasteIntoFocus(shortcuts[i]);
        });
    }
    resize(870, 560);
}

void CTavrinPSDiary::accept() {
    if (ui::CCustomPropertyPage* p = activePage(); p && !p->onKillActive()) return;
    if (saver_ && !saver_(*this)) return;
    CCustomPropertySheet::accept();
}

void CTavrinPSDiary::keyPressEvent(QKeyEvent* e) {
    // Escape would throw the entry away unasked; only "Discard" does that.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    CCustomPropertySheet::keyPressEvent(e);
}

} // namespace tavrin::diary
