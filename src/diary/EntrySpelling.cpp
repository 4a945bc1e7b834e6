#include "diary/EntrySpelling.h"

#include "diary/CTavrinDlgSpelling.h"
#include "diary/SpellChecker.h"
#include "platform/Settings.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomRichEdit.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace tavrin::diary {

EntrySpelling::EntrySpelling(ui::CCustomRichEdit* edit, const std::vector<QTextDocument*>& docs,
                             QWidget* page)
    : QObject(page), edit_(edit), page_(page), checker_(SpellChecker::instance()) {
    setObjectName("entrySpelling");
    checker_.setOptions(SpellOptions::fromSettings());
    for (QTextDocument* doc : docs) {
        // The text must not change while it tells of a change: the correction comes after.
        connect(
            doc, &QTextDocument::contentsChange, this,
            [this, doc](int position, int, int added) {
                if (added == 1)
                    QMetaObject::invokeMethod(
                        this, [this, doc, position] { correctTyped(doc, position, 1); },
                        Qt::QueuedConnection);
            },
            Qt::DirectConnection);
    }
    setAutoSpelling(settings::read(settings::AutoSpelling) == 1);
}

EntrySpelling::~EntrySpelling() {
    checker_.options().toSettings();
}

QWidget* EntrySpelling::makeControls(QWidget* parent) {
    auto* w = new QWidget(parent);
    auto* row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto* check = new ui::CCustomButton("Check spelling", w);
    check->setObjectName("checkSpellingButton");
    check->setAutoDefault(false);
    check->setFocusPolicy(Qt::NoFocus);
    check->setFixedHeight(24);
    box_ = new QCheckBox("As-you-type spelling", w);
    box_->setObjectName("autoSpellingBox");
    box_->setFocusPolicy(Qt::NoFocus);
    box_->setChecked(auto_);
    row->addWidget(check);
    row->addWidget(box_);
    connect(check, &QPushButton::clicked, this, &EntrySpelling::checkSpelling);
    connect(box_, &QCheckBox::toggled, this, [this](bool on) {
        settings::write(settings::AutoSpelling, on ? 1 : 0);
        setAutoSpelling(on);
    });
    return w;
}

void EntrySpelling::setAutoSpelling(bool on) {
    auto_ = on;
    if (on) {
        SpellChecker* checker = &checker_;
        edit_->setMarker([checker](const QString& paragraph) {
            QList<std::pair<int, int>> marks;
            for (const SpellIssue& i : checker->check(paragraph))
                marks.append({i.start, i.length});
            return marks;
        });
    } else {
        edit_->setMarker({});
    }
    if (box_ && box_->isChecked() != on) box_->setChecked(on);
}

void EntrySpelling::checkSpelling() {
    CTavrinDlgSpelling::run(edit_, checker_, page_);
    // Words ignored, added or an option changed: the marks follow.
    edit_->remark();
    edit_->setFocus();
}

void EntrySpelling::correctTyped(QTextDocument* doc, int position, int added) {
    // One character typed after a word: a word the user changed before is changed again.
    if (correcting_ || added != 1 || !checker_.options().autoCorrect) return;
    if (position < 0 || position >= doc->characterCount()) return;
    const QChar typed = doc->characterAt(position);
    if (typed.isLetterOrNumber() || typed == QChar('\'')) return;
    const QTextBlock block = doc->findBlock(position);
    const QString text = block.text();
    const int end = position - block.position();
    int start = end;
    while (start > 0 && (text.at(start - 1).isLetterOrNumber() || text.at(start - 1) == '\''))
        --start;
    if (start == end) return;
    const QString to = checker_.autoCorrection(text.mid(start, end - start));
    if (to.isEmpty()) return;
    correcting_ = true;
    QTextCursor c(doc);
    c.setPosition(block.position() + start);
    c.setPosition(block.position() + end, QTextCursor::KeepAnchor);
    c.insertText(to);
    correcting_ = false;
}

} // namespace tavrin::diary
