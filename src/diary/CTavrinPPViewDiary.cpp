#include "diary/CTavrinPPViewDiary.h"

#include "app/DiaryState.h"
#include "app/ProgramResources.h"
#include "diary/CTavrinDlgDiaryCalculator.h"
#include "diary/logic/EntryParameters.h"
#include "platform/Settings.h"
#include "platform/Sound.h"
#include "platform/TempNames.h"
#include "platform/VoicePlayer.h"
#include "rtf/RtfCodec.h"
#include "storage/Cp1252.h"
#include "storage/LocalTime.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CCustomStatic.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace tavrin::diary {
namespace {

constexpr int kFaceSize = 48;
// The font sizes the entry editor offers; a stored size outside them is not used.
constexpr int kMinFontSize = 8, kMaxFontSize = 98;

QString fromRecord(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}

} // namespace

CTavrinPPViewDiary::CTavrinPPViewDiary(QWidget* parent)
    : ui::CCustomPropertyPage(kTitle, parent), heading_(new ui::CCustomStatic(this)),
      chooser_(new QComboBox(this)), text_(new ui::CCustomRichEdit(this)),
      doc_(new QTextDocument(this)), mood_(new QLabel(this)),
      params_(new ui::CCustomListCtrl(this)), play_(new ui::CCustomButton(kPlayVoice, this)) {
    setObjectName("previewDiaryPage");
    heading_->setObjectName("entryHeading");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    chooser_->setObjectName("typeChooser");
    chooser_->setMinimumWidth(220);
    text_->setObjectName("entryText");
    text_->setReadOnly(true);
    // Texts that name no font show in the font the editor writes with.
    const QColor colour = settings::entryFontColor();
    int points = settings::read(settings::FontSize);
    if (points < kMinFontSize || points > kMaxFontSize) points = settings::FontSize.defaultValue;
    text_->setDefaultCharFormat(settings::read(settings::FontName), points, colour);
    text_->showDocument(doc_);
    mood_->setObjectName("moodPicture");
    mood_->setFixedSize(kFaceSize, kFaceSize);
    mood_->setScaledContents(true);
    params_->setObjectName("parameterList");
    params_->insertColumn("Description", 96);
    params_->insertColumn("Value", 64);
    params_->restoreWidths(settings::ListViewParams);
    params_->setFixedWidth(200);
    play_->setObjectName("playVoiceButton");
    play_->setAutoDefault(false);
    play_->setMinimumWidth(play_->fontMetrics().horizontalAdvance(kPlayVoice) + 40);
    play_->hide();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(heading_, 0, 0);
    grid->addWidget(chooser_, 1, 0, Qt::AlignLeft);
    grid->addWidget(mood_, 0, 1, 2, 1, Qt::AlignCenter);
    grid->addWidget(text_, 2, 0);
    grid->addWidget(play_, 2, 0, Qt::AlignCenter);
    grid->addWidget(params_, 2, 1);
    auto* calculator = new ui::CCustomButton("Diary Calculator", this);
    calculator->setObjectName("diaryCalculatorButton");
    calculator->setAutoDefault(false);
    grid->addWidget(calculator, 3, 1);
    connect(calculator, &QPushButton::clicked, this,
            [this] { CTavrinDlgDiaryCalculator::run(window()); });
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(2, 1);

    connect(chooser_, &QComboBox::activated, this, &CTavrinPPViewDiary::showText);
    connect(play_, &QAbstractButton::clicked, this, &CTavrinPPViewDiary::playVoice);
    clearEntry();
}

QString CTavrinPPViewDiary::heading(std::int64_t dateTime) {
    return QString::fromLocal8Bit(LocalTime::format(dateTime, "%d - %b - %Y, %a, at %X"));
}

QString CTavrinPPViewDiary::banner() {
    return QString::fromUtf8(texts::kProgramTitle);
}

void CTavrinPPViewDiary::showEntry(const TN& tn) {
    const EntryRecord& e = tn.entry;
    const DiaryConfig& config = tn.config;
    heading_->setText(heading(e.dateTime()));

    texts_.clear();
    texts_ << QByteArray::fromStdString(tn.body);
    for (const std::string& t : tn.typeText)
        texts_ << QByteArray::fromStdString(t);

    chooser_->clear();
    const QString description = fromRecord(e.description());
    chooser_->addItem(description.isEmpty() ? QStringLiteral("n/a") : description);
    for (int i = 0; i < DiaryConfig::kTypes; ++i)
        chooser_->addItem(QString("%1 - %2").arg(i + 1).arg(fromRecord(config.typeName(i))));
    if (e.voiceFlag() == 1) chooser_->addItem(kVoiceItem);
    entryIndex_ = tn.currentEntry;
    chooser_->setEnabled(true);
    chooser_->setCurrentIndex(0);
    showText(0);

    moodValue_ = e.mood();
    // The main window loaded the skin's faces once; nothing is shown for a value out of range.
    const QPixmap face = app::ProgramResources::moodPicture(moodValue_);
    mood_->setPixmap(face);

    params_->clear();
    for (const ParameterRow& row : EntryParameters::rows(config)) {
        const int r = params_->addRow({row.name, EntryParameters::previewText(row, e)});
        params_->setItemData(r, r);
    }
    params_->setEnabled(true);
}

void CTavrinPPViewDiary::clearEntry() {
    heading_->clear();
    texts_.clear();
    entryIndex_ = -1;
    play_->hide();
    text_->show();
    chooser_->clear();
    chooser_->setEnabled(false);
    mood_->clear();
    moodValue_ = 99;
    params_->clear();
    params_->setEnabled(false);
    doc_->clear();
    QFont big = doc_->defaultFont();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    QTextCursor cursor(doc_);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignCenter);
    centred.setTopMargin(40);
    cursor.setBlockFormat(centred);
    QTextCharFormat f;
    f.setFont(big);
    cursor.insertText(banner(), f);
}

void CTavrinPPViewDiary::showText(int item) {
    const bool voice = item == texts_.size() && item < chooser_->count();
    text_->setVisible(!voice);
    play_->setVisible(voice);
    if (item < 0 || item >= texts_.size()) return;
    RtfCodec::toDocument(texts_.at(item), doc_);
    text_->moveCursor(QTextCursor::Start);
}

void CTavrinPPViewDiary::playVoice() {
    if (entryIndex_ < 0) return;
    auto tn = app::DiaryState::instance().makeTN(entryIndex_);
    if (!tn->ReadIndexRecord() || tn->entry.voiceFlag() != 1) return;
    if (!platform::VoicePlayer::canPlay(this)) return;
    const QString path = platform::TempNames::fresh("TNV", this);
    if (path.isEmpty() || !tn->ExtractVoice(QFile::encodeName(path).toStdString())) return; // told
    QApplication::setOverrideCursor(Qt::WaitCursor);
    play_->setText(kPlaying);
    play_->repaint();
    platform::VoicePlayer::playSync(path, this);
    play_->setText(kPlayVoice);
    QApplication::restoreOverrideCursor();
    platform::Sound::stop();
    QFile::remove(path);
    tn->playingPath.clear();
}

} // namespace tavrin::diary
