#include "options/CTavrinPPOptionsGeneral.h"

#include "app/Page.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"
#include "ui/SkinLoader.h"
#include "ui/SkinnedWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tavrin::options {

using platform::MessageBox;
using ui::CCustomStatic;

namespace {

// Lists and fields in the skin's list colours, as the program's list views are drawn.
template <class W> W* listColoured(W* w) {
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, skin.listBackground());
    pal.setColor(QPalette::Text, skin.listText());
    pal.setColor(QPalette::Highlight, skin.selectionBackground());
    pal.setColor(QPalette::HighlightedText, skin.listHighlightText());
    QColor disabled = skin.listText();
    disabled.setAlpha(120);
    pal.setColor(QPalette::Disabled, QPalette::Text, disabled);
    w->setPalette(pal);
    return w;
}

QCheckBox* checkBox(const QString& text, const char* name, QWidget* parent) {
    auto* box = ui::skinnedChoice(new QCheckBox(text, parent));
    box->setObjectName(QLatin1String(name));
    return box;
}

QRadioButton* radio(QButtonGroup* group, int id, const QString& text, const char* name,
                    QWidget* parent) {
    auto* r = ui::skinnedChoice(new QRadioButton(text, parent));
    r->setObjectName(QLatin1String(name));
    group->addButton(r, id);
    return r;
}

// A titled frame with a vertical layout for its controls, added to a column of the page.
QVBoxLayout* group(const QString& title, const char* name, QWidget* parent, QVBoxLayout* column) {
    auto* frame = new CCustomStatic(title, parent, CCustomStatic::Group);
    frame->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(frame);
    layout->setSpacing(3);
    column->addWidget(frame);
    return layout;
}

// The checked button's id, or `fallback` when the stored value matched none of them.
int idOr(const QButtonGroup* g, int fallback) {
    return g->checkedId() >= 0 ? g->checkedId() : fallback;
}

void check(QButtonGroup* g, int id) {
    if (QAbstractButton* b = g->button(id)) b->setChecked(true);
}

} // namespace

const QStringList& CTavrinPPOptionsGeneral::startPages() {
    // In page order, so that a row's number is its page's number.
    static const QStringList rows = [] {
        QStringList names;
        for (int i = 0; i <= int(app::Page::Cookbook); ++i)
            names << app::pageName(app::Page(i));
        return names;
    }();
    return rows;
}

QString CTavrinPPOptionsGeneral::daysRangeMessage() {
    return QStringLiteral("Please enter an integer between %1 and %2.")
        .arg(OptionsSettings::kMinDays)
        .arg(OptionsSettings::kMaxDays);
}

CTavrinPPOptionsGeneral::CTavrinPPOptionsGeneral(QWidget* parent)
    : CCustomPropertyPage(QStringLiteral("General"), parent), read_(OptionsSettings::load()) {
    setObjectName(QStringLiteral("generalPage"));
    build();
    fill(read_);

    // The links between controls are made after the stored values are shown, so that a stored
    // combination is shown as it is.
    connect(minimizeOnLoad_, &QCheckBox::toggled, this, [this](bool on) {
        // Minimised at start, the password cannot be asked before the window is first restored.
        if (on) check(password_, 1);
    });
    connect(password_->button(0), &QAbstractButton::toggled, this, [this](bool on) {
        if (on) minimizeOnLoad_->setChecked(false);
    });
    connect(remindersShow_, &QButtonGroup::idToggled, this, [this] { updateDaysEnabled(); });
    connect(skins_, &QListWidget::currentRowChanged, this, [this] { showSkinAuthor(); });
}

void CTavrinPPOptionsGeneral::build() {
    // Three columns of groups, each group as high as its controls need.
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(10, 10, 10, 10);
    columns->setSpacing(10);
    QVBoxLayout* col[3];
    for (QVBoxLayout*& c : col) {
        c = new QVBoxLayout;
        c->setSpacing(6);
        columns->addLayout(c, 1);
    }
    buildStartColumn(col[0]);
    buildBehaviourColumn(col[1]);
    buildLookColumn(col[2]);
    for (QVBoxLayout* c : col)
        c->addStretch(1);
}

// First column: start-up, start page, minimising.
void CTavrinPPOptionsGeneral::buildStartColumn(QVBoxLayout* column) {
    QVBoxLayout* startup = group("Startup", "startupGroup", this, column);
    loadAtStartup_ = checkBox("Load at Windows startup", "loadAtStartup", this);
    minimizeOnLoad_ = checkBox("Minimize on load", "minimizeOnLoad", this);
    openLastDiary_ = checkBox("Open last diary at startup", "openLastDiary", this);
    showReminders_ = checkBox("Show reminders at startup", "showRemindersAtStart", this);
    alwaysOnTop_ = checkBox("Always on top", "alwaysOnTop", this);
    for (QWidget* w :
         {static_cast<QWidget*>(loadAtStartup_), static_cast<QWidget*>(minimizeOnLoad_),
          static_cast<QWidget*>(openLastDiary_), static_cast<QWidget*>(showReminders_),
          static_cast<QWidget*>(alwaysOnTop_)})
        startup->addWidget(w);

    QVBoxLayout* start = group("When Tavelle starts go to", "startPageGroup", this, column);
    startPage_ = listColoured(new QListWidget(this));
    startPage_->setObjectName(QStringLiteral("startPage"));
    startPage_->addItems(startPages());
    startPage_->setFixedHeight(startPage_->sizeHintForRow(0) * startPages().size() +
                               2 * startPage_->frameWidth() + 2);
    start->addWidget(startPage_);

    QVBoxLayout* minimize = group("Minimize", "minimizeGroup", this, column);
    minimize_ = new QButtonGroup(this);
    minimize->addWidget(radio(minimize_, 0, "Minimize normally", "minimizeNormally", this));
    minimize->addWidget(radio(minimize_, 1, "Minimize to system tray", "minimizeToTray", this));
}

// Second column: password, reminders, close button, deletion.
void CTavrinPPOptionsGeneral::buildBehaviourColumn(QVBoxLayout* column) {
    QVBoxLayout* password = group("Password check", "passwordGroup", this, column);
    password_ = new QButtonGroup(this);
    password->addWidget(radio(password_, 0, "Immediately on startup", "passwordImmediately", this));
    password->addWidget(radio(password_, 1, "On first activation", "passwordOnActivation", this));
    afterRestore_ = checkBox("After restoring the window", "afterRestore", this);
    password->addWidget(afterRestore_);

    QVBoxLayout* reminders = group("Show Reminders", "remindersGroup", this, column);
    remindersShow_ = new QButtonGroup(this);
    reminders->addWidget(
        radio(remindersShow_, 0, "Only today's reminders", "remindersToday", this));
    reminders->addWidget(radio(remindersShow_, 1, "Up to 355 days before", "remindersAhead", this));
    auto* daysRow = new QHBoxLayout;
    daysLabel_ = new CCustomStatic("This many days:", this);
    daysLabel_->setObjectName(QStringLiteral("remindersDaysLabel"));
    days_ = listColoured(new QLineEdit(this));
    days_->setObjectName(QStringLiteral("remindersDays"));
    // Digits only; the range is checked when the page is left, so that typing can pass
    // through values outside it.
    days_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), days_));
    days_->setMaxLength(3);
    days_->setFixedWidth(days_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    daysRow->addWidget(daysLabel_);
    daysRow->addWidget(days_);
    daysRow->addStretch(1);
    reminders->addLayout(daysRow);

    QVBoxLayout* exit = group("When you push the close button", "exitGroup", this, column);
    exit_ = new QButtonGroup(this);
    exit->addWidget(radio(exit_, 0, "Exit normally", "exitNormally", this));
    exit->addWidget(radio(exit_, 1, "Minimize", "exitMinimize", this));

    QVBoxLayout* confirm = group("Confirm deletion of", "confirmGroup", this, column);
    static const char* const confirmTexts[6] = {"Diary entry",   "Reminder entry",
                                                "Planner entry", "Contacts entry",
                                                "Recipe entry",  "Ingredients entry"};
    static const char* const confirmNames[6] = {"confirmEntry",   "confirmReminder",
                                                "confirmPlanner", "confirmContacts",
                                                "confirmRecipe",  "confirmIngredient"};
    auto* confirmGrid = new QGridLayout;
    confirmGrid->setVerticalSpacing(3);
    for (int i = 0; i < 6; ++i) {
        confirm_[i] = checkBox(confirmTexts[i], confirmNames[i], this);
        confirmGrid->addWidget(confirm_[i], i / 2, i % 2);
    }
    confirm->addLayout(confirmGrid);
}

// Third column: skins, the reminder sound, tips.
void CTavrinPPOptionsGeneral::buildLookColumn(QVBoxLayout* column) {
    QVBoxLayout* skins = group("Skins", "skinsGroup", this, column);
    skins_ = listColoured(new QListWidget(this));
    skins_->setObjectName(QStringLiteral("skinList"));
    skins_->setMinimumWidth(180);
    skins_->setFixedHeight(skins_->fontMetrics().height() * 5 + 8);
    skins->addWidget(skins_);
    author_ = new CCustomStatic(this);
    author_->setObjectName(QStringLiteral("skinAuthor"));
    skins->addWidget(author_);
    randomSkin_ = checkBox("Random skin everytime", "randomSkin", this);
    skins->addWidget(randomSkin_);

    QVBoxLayout* sound = group("Reminder sound alert", "soundGroup", this, column);
    sound_ = new QButtonGroup(this);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(radio(sound_, 0, "Beep", "soundBeep", this));
    kinds->addWidget(radio(sound_, 1, "Play WAV", "soundWav", this));
    kinds->addStretch(1);
    sound->addLayout(kinds);
    soundPath_ = new CCustomStatic(this);
    soundPath_->setObjectName(QStringLiteral("soundFile"));
    // The path is elided to the room there is; it never widens the page.
    soundPath_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    soundPath_->setMinimumWidth(120);
    soundPath_->installEventFilter(this);
    sound->addWidget(soundPath_);
    auto* soundButtons = new QHBoxLayout;
    auto* choose = new ui::CCustomButton(QStringLiteral("Choose WAV"), this);
    choose->setObjectName(QStringLiteral("chooseWavButton"));
    auto* test = new ui::CCustomButton(QStringLiteral("Test"), this);
    test->setObjectName(QStringLiteral("testSoundButton"));
    soundButtons->addWidget(choose);
    soundButtons->addWidget(test);
    soundButtons->addStretch(1);
    sound->addLayout(soundButtons);
    connect(choose, &QAbstractButton::clicked, this, &CTavrinPPOptionsGeneral::chooseWav);
    connect(test, &QAbstractButton::clicked, this, &CTavrinPPOptionsGeneral::testSound);

    tips_ = checkBox("Tips on startup", "tipsOnStartup", this);
    column->addWidget(tips_);
}

void CTavrinPPOptionsGeneral::fill(const OptionsSettings& o) {
    loadAtStartup_->setChecked(o.loadAtStartup);
    minimizeOnLoad_->setChecked(o.minimizeOnLoad);
    openLastDiary_->setChecked(o.openLastDiary);
    showReminders_->setChecked(o.showRemindersAtStart);
    alwaysOnTop_->setChecked(o.alwaysOnTop);
    if (o.firstShow >= 0 && o.firstShow < startPage_->count())
        startPage_->setCurrentRow(o.firstShow);
    check(minimize_, o.minimizeLocation);
    check(password_, o.passwordCheck);
    afterRestore_->setChecked(o.afterRestore);
    check(remindersShow_, o.remindersShow);
    days_->setText(QString::number(o.remindersDays));
    check(exit_, o.exitOption);
    for (int i = 0; i < 6; ++i)
        confirm_[i]->setChecked(o.confirmDelete[i]);
    tips_->setChecked(o.tipsOnStartup);
    randomSkin_->setChecked(o.randomSkin);
    check(sound_, o.remindersSound);
    soundFile_ =
        o.remindersSoundFile.isEmpty() ? QString::fromLatin1(kNoSoundFile) : o.remindersSoundFile;
    showSoundFile();

    skins_->clear();
    skins_->addItems(SkinLoader().skinNames());
    const QList<QListWidgetItem*> stored = skins_->findItems(o.whichSkin, Qt::MatchExactly);
    if (!stored.isEmpty()) skins_->setCurrentItem(stored.first());
    updateDaysEnabled();
}

OptionsSettings CTavrinPPOptionsGeneral::values() const {
    OptionsSettings o = read_;
    o.loadAtStartup = loadAtStartup_->isChecked();
    o.minimizeOnLoad = minimizeOnLoad_->isChecked();
    o.openLastDiary = openLastDiary_->isChecked();
    o.showRemindersAtStart = showReminders_->isChecked();
    o.alwaysOnTop = alwaysOnTop_->isChecked();
    if (startPage_->currentRow() >= 0) o.firstShow = startPage_->currentRow();
    o.minimizeLocation = idOr(minimize_, read_.minimizeLocation);
    o.passwordCheck = idOr(password_, read_.passwordCheck);
    o.afterRestore = afterRestore_->isChecked();
    o.remindersShow = idOr(remindersShow_, read_.remindersShow);
    o.remindersDays = days().value_or(read_.remindersDays);
    o.exitOption = idOr(exit_, read_.exitOption);
    for (int i = 0; i < 6; ++i)
        o.confirmDelete[i] = confirm_[i]->isChecked();
    o.tipsOnStartup = tips_->isChecked();
    // A stored skin that is no longer in the folder stays chosen until another is picked.
    if (QListWidgetItem* item = skins_->currentItem()) o.whichSkin = item->text();
    o.randomSkin = randomSkin_->isChecked();
    o.remindersSound = idOr(sound_, read_.remindersSound);
    o.remindersSoundFile = soundFile_;
    return o;
}

std::optional<int> CTavrinPPOptionsGeneral::days() const {
    bool ok = false;
    const int n = days_->text().trimmed().toInt(&ok);
    if (!ok || n < OptionsSettings::kMinDays || n > OptionsSettings::kMaxDays) return std::nullopt;
    return n;
}

bool CTavrinPPOptionsGeneral::onSetActive() {
    if (!firstShown_) {
        firstShown_ = true;
        showSkinAuthor();
    }
    return true;
}

bool CTavrinPPOptionsGeneral::onKillActive() {
    if (days()) return true;
    MessageBox::warning(daysRangeMessage(), this);
    if (days_->isEnabled()) {
        days_->setFocus();
        days_->selectAll();
    }
    return false;
}

void CTavrinPPOptionsGeneral::updateDaysEnabled() {
    const bool ahead = remindersShow_->checkedId() == 1;
    days_->setEnabled(ahead);
    daysLabel_->setEnabled(ahead);
}

void CTavrinPPOptionsGeneral::showSkinAuthor() {
    QListWidgetItem* item = skins_->currentItem();
    std::optional<QString> author;
    // A short index file is reported by the loader ("The index size is incorrect!").
    if (item) author = SkinLoader().readAuthor(item->text());
    author_->setText(author ? SkinLoader::authorCaption(*author) : QString());
}

void CTavrinPPOptionsGeneral::showSoundFile() {
    const QString shown = QDir::toNativeSeparators(soundFile_);
    const int width = qMax(soundPath_->width(), soundPath_->minimumWidth());
    soundPath_->setText(soundPath_->fontMetrics().elidedText(shown, Qt::ElideMiddle, width));
    soundPath_->setToolTip(shown);
}

bool CTavrinPPOptionsGeneral::eventFilter(QObject* watched, QEvent* event) {
    if (watched == soundPath_ && event->type() == QEvent::Resize) showSoundFile();
    return CCustomPropertyPage::eventFilter(watched, event);
}

void CTavrinPPOptionsGeneral::chooseWav() {
    const QString path = platform::FileChooser::open(
        this, QString::fromLatin1(kWavTitle), QString::fromLatin1(kWavFilter),
        QStringLiteral("wav"), QStringLiteral("*.wav"), true);
    if (path.isEmpty()) return;
    soundFile_ = path;
    showSoundFile();
}

void CTavrinPPOptionsGeneral::testSound() {
    if (sound_->checkedId() != 1) {
        platform::Sound::beep();
        return;
    }
    if (soundFile_ == QLatin1String(kNoSoundFile)) {
        MessageBox::warning(QStringLiteral("Choose a WAVE sound file first!"), this);
        return;
    }
    if (!platform::Sound::playAsync(soundFile_))
        MessageBox::warning(
            QStringLiteral("Unable to play %1!").arg(QDir::toNativeSeparators(soundFile_)), this);
}

} // namespace tavrin::options
