#include "tools/CTavrinDlgScratchPadText.h"

#include "app/DiaryState.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "storage/Cp1252.h"
#include "storage/PadText.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"
#include "ui/SkinnedWidgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin::tools {
namespace {

// Pad files are plain text: UTF-8 as this system writes it, else the old Windows-1252.
QString decode(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8(QByteArray::fromStdString(bytes));
    if (!utf8.hasError()) return s;
    // A cut in the middle of a character at the size limit is still UTF-8.
    for (std::size_t cut = 1; cut < 4 && cut < bytes.size(); ++cut) {
        QStringDecoder again(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        s = again(QByteArray::fromStdString(bytes.substr(0, bytes.size() - cut)));
        if (!again.hasError()) return s;
    }
    return QString::fromStdString(cp1252::toUtf8(bytes));
}

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The bytes a code point takes in the pad's file.
int utf8Bytes(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

} // namespace

CTavrinDlgScratchPadText::CTavrinDlgScratchPadText(QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), text_(new QPlainTextEdit(this)),
      name_(new QLineEdit(this)), choose_(new ui::CCustomButton("Choose File", this)) {
    setObjectName("scratchPadWindow");
    setWindowTitle(kCaption);
    setModal(false);
    text_->setObjectName("padText");
    name_->setObjectName("padName");
    name_->setMaxLength(29);
    choose_->setObjectName("padChooseFile");
    ui::skinnedField(text_);
    ui::skinnedField(name_);
    // The file keeps only so much; what would be lost on saving is refused while typing.
    connect(text_->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) {
                changedAt_ = position;
                added_ = added;
            });
    connect(text_, &QPlainTextEdit::textChanged, this, &CTavrinDlgScratchPadText::keepWithinLimit);

    auto* bar = new QHBoxLayout;
    const struct {
        const char* caption;
        const char* name;
        void (QPlainTextEdit::*run)();
    } edits[] = {{"Copy", "padCopy", &QPlainTextEdit::copy},
                 {"Cut", "padCut", &QPlainTextEdit::cut},
                 {"Paste", "padPaste", &QPlainTextEdit::paste},
                 {"Undo", "padUndo", &QPlainTextEdit::undo}};
    for (const auto& e : edits) {
        auto* b = new ui::CCustomButton(e.caption, this);
        b->setObjectName(e.name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, text_, e.run);
        bar->addWidget(b);
    }
    bar->addStretch(1);
    auto* nameLabel = ui::skinnedText(new ui::CCustomStatic("Name:", this));
    bar->addWidget(nameLabel);
    bar->addWidget(name_);

    auto* close = new ui::CCustomButton("Close", this);
    close->setObjectName("padClose");
    for (QPushButton* b : std::initializer_list<QPushButton*>{choose_, close})
        b->setAutoDefault(false);
    connect(choose_, &QPushButton::clicked, this, &CTavrinDlgScratchPadText::chooseFile);
    connect(close, &QPushButton::clicked, this, &CTavrinDlgScratchPadText::closePad);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(choose_);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(bar);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    resize(520, 420);
}

void CTavrinDlgScratchPadText::openPad(int pad) {
    save();
    load(pad);
}

void CTavrinDlgScratchPadText::load(int pad) {
    pad_ = pad;
    path_.clear();
    text_->clear();
    text_->setEnabled(false);
    choose_->setEnabled(pad >= kFirstChosen);
    auto& state = app::DiaryState::instance();
    if (!state.usable()) return;
    auto tn = state.makeTN();
    tn->ReadPadTable(); // a failure is reported; the defaults stand in
    const QString name = QString::fromStdString(cp1252::toUtf8(tn->pads.title(pad - 1)));
    name_->setText(name);
    setWindowTitle(kCaption + name);
    const std::string path = tn->pads.path(pad - 1);
    if (path.empty() || path[0] == '*') return;
    path_ = QFile::decodeName(QByteArray::fromStdString(path));
    text_->setEnabled(true);
    std::string bytes;
    PadText::read(tn->io(), path, bytes); // what could be read is shown
    loading_ = true;
    text_->setPlainText(decode(bytes));
    loading_ = false;
    text_->document()->setModified(false);
}

void CTavrinDlgScratchPadText::keepWithinLimit() {
    if (loading_ || added_ <= 0) return;
    const QString all = text_->toPlainText(); // as saved: one character per document position
    qsizetype over = all.toUtf8().size() - kMaxBytes;
    if (over <= 0) return;
    // The change may count the closing paragraph mark of the document.
    const int end = int(std::min<qsizetype>(changedAt_ + added_, all.size()));
    const int from = std::clamp(changedAt_, 0, end);
    added_ = 0;
    int cut = end;
    while (cut > from && over > 0) {
        int width = 1;
        char32_t c = all.at(cut - 1).unicode();
        if (cut - 1 > from && all.at(cut - 1).isLowSurrogate() &&
            all.at(cut - 2).isHighSurrogate()) {
            c = QChar::surrogateToUcs4(all.at(cut - 2), all.at(cut - 1));
            width = 2;
        }
        over -= utf8Bytes(c);
        cut -= width;
    }
    if (cut == end) return; // the text was longer before this change: loaded so
    QTextCursor cursor(text_->document());
    cursor.joinPreviousEditBlock(); // one Undo takes back the insertion and the cut together
    cursor.setPosition(cut);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
    text_->setTextCursor(cursor);
    if (end - from > 1)
        platform::MessageBox::warning(kPasteCut, this);
    else
        QApplication::beep();
}

void CTavrinDlgScratchPadText::save() {
    if (pad_ < 1 || pad_ > 9) return;
    auto& state = app::DiaryState::instance();
    if (!state.usable()) return;
    auto tn = state.makeTN();
    if (!tn->ReadPadTable()) return;
    tn->pads.setTitle(pad_ - 1, cp1252::fromUtf8(name_->text().toStdString()));
    tn->WritePadTable();
    setWindowTitle(kCaption + name_->text());
    if (path_.isEmpty()) return;
    PadText::write(tn->io(), local(path_), text_->toPlainText().toStdString());
}

void CTavrinDlgScratchPadText::chooseFile() {
    if (pad_ < kFirstChosen || !app::DiaryState::instance().usable()) return;
    const QString chosen = platform::FileChooser::save(this, "Choose File", "All files (*.*)|*.*||",
                                                       QString(), "*.*", true);
    if (chosen.isEmpty()) return;
    auto tn = app::DiaryState::instance().makeTN();
    if (!tn->ReadPadTable()) return;
    tn->pads.setTitle(pad_ - 1, cp1252::fromUtf8(name_->text().toStdString()));
    tn->pads.setPath(pad_ - 1, local(chosen));
    if (!tn->WritePadTable()) return;
    load(pad_);
}

void CTavrinDlgScratchPadText::closePad() {
    save();
    hide();
}

void CTavrinDlgScratchPadText::reject() {
    closePad();
}

void CTavrinDlgScratchPadText::closeEvent(QCloseEvent* event) {
    save();
    event->accept();
}

} // namespace tavrin::tools
