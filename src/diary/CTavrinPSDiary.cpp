#include "diary/CTavrinPSDiary.h"

#include "app/DiaryState.h"
#include "diary/CTavrinPPBody.h"
#include "diary/CTavrinPPDiary.h"
#include "diary/CTavrinPPParams.h"
#include "diary/FibroRatingsWidget.h"
#include "diary/FibroValues.h"
#include "diary/VoiceNotePanel.h"
#include "diary/WordCount.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CCustomStatic.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace tavrin::diary {

CTavrinPSDiary::CTavrinPSDiary(bool editing, const DiaryConfig& config, const EntryRecord& entry,
                               const std::array<QByteArray, 1 + EntryRecord::kTypeTexts>& texts,
                               QWidget* parent)
    : CCustomPropertySheet(editing ? kEditCaption : kNewCaption, parent, Window), initial_(entry),
      words_(new ui::CCustomStatic(this)), text_(new CTavrinPPDiary(config, entry, texts)),
      body_(new CTavrinPPBody(entry)), params_(new CTavrinPPParams(entry)) {
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
    // F1 too, from any field of the sheet.
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, help, &QAbstractButton::click);

    // The length of the text being written, left of the buttons.
    words_->setObjectName("wordCount");
    buttonRow()->insertWidget(0, words_);
    connect(text_->richEdit(), &QTextEdit::textChanged, this, &CTavrinPSDiary::countWords);
    connect(text_->slotChooser(), &QComboBox::currentIndexChanged, this,
            &CTavrinPSDiary::countWords);
    countWords();

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

void CTavrinPSDiary::reject() {
    // Closing the sheet leaves the text page too: a running recording is asked about first.
    if (!text_->voicePanel()->confirmLeave()) return;
    if (isModified() && !platform::MessageBox::question(kDiscardQuestion, this)) return;
    CCustomPropertySheet::reject();
}

bool CTavrinPSDiary::isModified() const {
    if (text_->isModified()) return true;
    EntryRecord now = initial_;
    body_->storeInto(now);
    params_->ratings()->storeRatings(now);
    if (now.bytes != initial_.bytes) return true;
    const FibroValues values = FibroValues::of(initial_);
    for (int f = 0; f < FibroValues::kFields; ++f) {
        const auto field = FibroValues::Field(f);
        if (params_->ratings()->field(field)->text() != values.text(field)) return true;
    }
    return false;
}

void CTavrinPSDiary::countWords() {
    const int n = WordCount::count(text_->richEdit()->toPlainText());
    words_->setText(n == 1 ? QStringLiteral("1 word") : QStringLiteral("%1 words").arg(n));
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
