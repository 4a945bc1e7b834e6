#include "diary/CTavrinPPDiary.h"

#include "app/DiaryState.h"
#include "app/ProgramResources.h"
#include "diary/ChoiceButton.h"
#include "diary/EntrySpelling.h"
#include "diary/PlannerOfDay.h"
#include "diary/VoiceNotePanel.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/WindowMessages.h"
#include "rtf/RtfCodec.h"
#include "storage/Cp1252.h"
#include "storage/DiaryConfig.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"
#include "ui/ActiveSkin.h"
#include "ui/CColorButton.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CCustomStatic.h"
#include "ui/DateTimeTyping.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTextDocument>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace tavrin::diary {
namespace {

QString fromRecord(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}
std::string toRecord(const QString& s) {
    return cp1252::fromUtf8(s.toStdString());
}

// Four lines of text aligned left, centred or right, or spaced one, one and a half or two
// lines apart.
QIcon lineIcon(Qt::Alignment align, int spacingPercent) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(ui::ActiveSkin::current().buttonText(), 1));
    const int widths[] = {14, 9, 14, 9};
    const int step = spacingPercent >= 200 ? 5 : spacingPercent >= 150 ? 4 : 3;
    const int lines = spacingPercent > 100 ? 3 : 4;
    for (int i = 0; i < lines; ++i) {
        const int w = widths[i];
        const int x = align == Qt::AlignHCenter ? 1 + (14 - w) / 2
                      : align == Qt::AlignRight ? 15 - w
                                                : 1;
        const int y = 2 + i * step;
        p.drawLine(x, y, x + w - 1, y);
    }
    return QIcon(pm);
}

// A button of the format bar that triggers `action` and shows its state: checked ones show
// whether their format is on at the caret. The tooltip names the action's key.
ui::CCustomButton* toolButton(QWidget* parent, const char* name, const QString& text,
                              QAction* action, bool withIcon = false) {
    ui::CCustomButton* b = action->isCheckable() ? new ChoiceButton(text, parent)
                                                 : new ui::CCustomButton(text, parent);
    b->setObjectName(name);
    const QString key = action->shortcut().toString(QKeySequence::NativeText);
    b->setToolTip(key.isEmpty() ? action->text() : QString("%1 (%2)").arg(action->text(), key));
    b->setAutoDefault(false);
    // The editor keeps the focus and its selection while the buttons are pressed.
    b->setFocusPolicy(Qt::NoFocus);
    const int textW = text.isEmpty() ? 0 : b->fontMetrics().horizontalAdvance(text) + 14;
    b->setFixedSize(std::max(28, textW + (withIcon ? 20 : 0)), 24);
    b->setEnabled(action->isEnabled());
    QObject::connect(b, &QAbstractButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, b, [b, action] {
        b->setEnabled(action->isEnabled());
        if (action->isCheckable()) b->setChecked(action->isChecked());
    });
    return b;
}

} // namespace

CTavrinPPDiary::CTavrinPPDiary(const DiaryConfig& config, const EntryRecord& entry,
                               const std::array<QByteArray, kSlots>& texts, QWidget* parent)
    : CCustomPropertyPage("Diary Text and Basic Parameters", parent), initial_(entry) {
    setObjectName("diaryTextPage");

    // ---- date, time, description ----
    const LocalDateTime when = LocalTime::fromTime(entry.dateTime());
    date_ = new QDateEdit(QDate(when.year, when.month, when.day), this);
    date_->setObjectName("entryDate");
    date_->setCalendarPopup(true);
    date_->setDisplayFormat("dd - MMM - yyyy, ddd");
    date_->setDateRange(QDate(1900, 1, 1), QDate(2199, 12, 31));
    date_->setMinimumWidth(date_->fontMetrics().horizontalAdvance("00 - Www - 0000, Www") + 40);
    time_ = new QTimeEdit(QTime(when.hour, when.minute, when.second), this);
    time_->setObjectName("entryTime");
    time_->setDisplayFormat("HH:mm:ss");
    ui::DateTimeTyping::attach(date_);
    ui::DateTimeTyping::attach(time_);
    description_ = new QLineEdit(fromRecord(entry.description()), this);
    description_->setObjectName("description");
    description_->setMaxLength(kMaxDescription);

    auto* top = new QHBoxLayout;
    top->addWidget(new ui::CCustomStatic("Date:", this));
    top->addWidget(date_);
    top->addWidget(new ui::CCustomStatic("Time:", this));
    top->addWidget(time_);
    top->addWidget(new ui::CCustomStatic("Description:", this));
    top->addWidget(description_, 1);

    // ---- the rich text and its slots ----
    // The editor is made before the documents, so that it is gone before they are.
    edit_ = new ui::CCustomRichEdit(this);
    edit_->setObjectName("entryText");
    const QColor colour = settings::entryFontColor();
    int points = settings::read(settings::FontSize);
    if (points < kMinFontSize || points > kMaxFontSize) points = settings::FontSize.defaultValue;
    edit_->setDefaultCharFormat(settings::read(settings::FontName), points, colour);
    for (int i = 0; i < kSlots; ++i) {
        auto* doc = new QTextDocument(this);
        if (!texts[std::size_t(i)].isEmpty()) RtfCodec::toDocument(texts[std::size_t(i)], doc);
        docs_[std::size_t(i)] = doc;
    }
    slot_ = new QComboBox(this);
    slot_->setObjectName("textSlot");
    slot_->addItem("Diary");
    for (int i = 0; i < DiaryConfig::kTypes; ++i)
        slot_->addItem(QString::asprintf("%d - %s", i + 1,
                                         fromRecord(config.typeName(i)).toUtf8().constData()));

    // ---- parameters and the mood picture ----
    params_ = new ui::CCustomListCtrl(this); // its parent hears "TNSNotifySpin"
    params_->setObjectName("parameterList");
    params_->insertColumn("Description", 72);
    params_->insertColumn("Value", 96);
    params_->setEditable(true);
    fillParameters(config, entry);
    mood_ = new QLabel(this);
    mood_->setObjectName("moodPicture");
    mood_->setFixedSize(48, 48);
    mood_->setScaledContents(true);
    mood_->setVisible(moodRow_ >= 0);
    showMood(moodRow_ >= 0 ? params_->cellValue(moodRow_, 1) : 0);

    // ---- today's planner ----
    planner_ = new ui::CCustomListCtrl(this);
    planner_->setObjectName("plannerList");
    planner_->insertColumn("Planned Items", 128);
    planner_->insertColumn("Priority", 84);
    planner_->setCheckBoxes(true);
    planner_->restoreWidths(settings::PlannerInDiaryList);

    voice_ = new VoiceNotePanel(entry, this);
    spelling_ = new EntrySpelling(edit_, {docs_.begin(), docs_.end()}, this);

    // ---- layout ----
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(makeFormatBar());
    left->addWidget(edit_, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(params_, 3);
    auto* moodRow = new QHBoxLayout;
    moodRow->addStretch(1);
    moodRow->addWidget(mood_);
    moodRow->addStretch(1);
    right->addLayout(moodRow);
    right->addWidget(new ui::CCustomStatic("Today's Planner", this));
    right->addWidget(planner_, 2);
    right->addWidget(voice_);

    auto* all = new QHBoxLayout(this);
    all->setContentsMargins(8, 8, 8, 8);
    all->addLayout(left, 1);
    all->addLayout(right);
    // Room for both columns of either list, and a scroll bar.
    params_->setFixedWidth(128 + 84 + 24);
    planner_->setFixedWidth(128 + 84 + 24);

    // ---- behaviour ----
    connect(slot_, &QComboBox::currentIndexChanged, this, &CTavrinPPDiary::showSlot);
    connect(edit_, &ui::CCustomRichEdit::formatChanged, this, &CTavrinPPDiary::updateFormatButtons);
    connect(date_, &QDateEdit::dateChanged, this, &CTavrinPPDiary::refillPlanner);
    connect(planner_, &ui::CCustomListCtrl::checkToggled, this, &CTavrinPPDiary::plannerTicked);
    connect(params_, &ui::CCustomListCtrl::cellEdited, this,
            [this](int row, int, bool cancelled) { parameterEdited(row, cancelled); });

    showSlot(0);
    refillPlanner();
    // What was loaded is no change: only the user's edits count from here.
    for (QTextDocument* doc : docs_)
        doc->clearUndoRedoStacks();
}

CTavrinPPDiary::~CTavrinPPDiary() {
    // The editor goes first: it must not outlive the documents it shows.
    delete edit_;
    edit_ = nullptr;
}

QWidget* CTavrinPPDiary::makeFormatBar() {
    makeFormatActions();
    auto* bar = new QWidget(this);
    bar->setObjectName("formatBar");
    auto* grid = new QGridLayout(bar);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(3);
    grid->addLayout(makeFontRow(bar), 0, 0);
    grid->addLayout(makeFormatRow(bar), 1, 0);
    return bar;
}

void CTavrinPPDiary::makeFormatActions() {
    // One action per command, with its key on this page; the buttons trigger them.
    auto action = [this](const char* name, const QString& text, const QKeySequence& key,
                         bool checkable, std::function<void()> run) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        a->setCheckable(checkable);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, [this, run = std::move(run)] {
            run();
            updateFormatButtons();
        });
        return a;
    };
    bold_ = action("boldAction", "Bold", QKeySequence(Qt::CTRL | Qt::Key_B), true,
                   [this] { edit_->toggleBold(); });
    italic_ = action("italicAction", "Italic", QKeySequence(Qt::CTRL | Qt::Key_I), true,
                     [this] { edit_->toggleItalic(); });
    underline_ = action("underlineAction", "Underline", QKeySequence(Qt::CTRL | Qt::Key_U), true,
                        [this] { edit_->toggleUnderline(); });
    super_ = action("superscriptAction", "Superscript", {}, true,
                    [this] { edit_->toggleSuperscript(); });
    sub_ = action("subscriptAction", "Subscript", {}, true, [this] { edit_->toggleSubscript(); });

    const struct {
        const char* name;
        const char* text;
        QKeySequence key;
        Qt::Alignment align;
    } aligns[] = {
        {"alignLeftAction", "Align left", QKeySequence(Qt::CTRL | Qt::Key_L), Qt::AlignLeft},
        {"alignCentreAction", "Centre", QKeySequence(Qt::CTRL | Qt::Key_E), Qt::AlignHCenter},
        {"alignRightAction", "Align right", QKeySequence(Qt::CTRL | Qt::Key_R), Qt::AlignRight}};
    alignGroup_ = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        const Qt::Alignment a = aligns[i].align;
        align_[std::size_t(i)] = action(aligns[i].name, aligns[i].text, aligns[i].key, true,
                                        [this, a] { edit_->alignParagraphs(a); });
        alignGroup_->addAction(align_[std::size_t(i)]);
    }
    const struct {
        const char* name;
        const char* text;
        int percent;
    } spacings[] = {{"spacing1Action", "Line spacing 1", 100},
                    {"spacing15Action", "Line spacing 1.5", 150},
                    {"spacing2Action", "Line spacing 2", 200}};
    spacingGroup_ = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        const int percent = spacings[i].percent;
        spacing_[std::size_t(i)] = action(spacings[i].name, spacings[i].text, {}, true,
                                          [this, percent] { edit_->setLineSpacing(percent); });
        spacingGroup_->addAction(spacing_[std::size_t(i)]);
    }

    undo_ = action("undoAction", "Undo", {}, false, [this] { edit_->undo(); });
    cut_ = action("cutAction", "Cut", {}, false, [this] { edit_->cut(); });
    copy_ = action("copyAction", "Copy", {}, false, [this] { edit_->copy(); });
    paste_ = action("pasteAction", "Paste", {}, false, [this] { edit_->paste(); });
    connect(edit_, &QTextEdit::undoAvailable, undo_, &QAction::setEnabled);
    connect(edit_, &QTextEdit::copyAvailable, cut_, &QAction::setEnabled);
    connect(edit_, &QTextEdit::copyAvailable, copy_, &QAction::setEnabled);
    for (QAction* a : {undo_, cut_, copy_})
        a->setEnabled(false);
}

QLayout* CTavrinPPDiary::makeFontRow(QWidget* bar) {
    // The text slot, the font face, its size and colour.
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(slot_);
    face_ = new QComboBox(bar);
    face_->setObjectName("fontFace");
    // The faces the program gathered at start-up: scalable ones that write letters.
    if (app::ProgramResources::fontList().isEmpty()) app::ProgramResources::gatherFonts();
    face_->addItems(app::ProgramResources::fontList());
    face_->setMaximumWidth(180);
    face_->setFocusPolicy(Qt::ClickFocus);
    size_ = new QComboBox(bar);
    size_->setObjectName("fontSize");
    for (int s = kMinFontSize; s <= kMaxFontSize; s += kFontSizeStep)
        size_->addItem(QString::number(s), s);
    size_->setFocusPolicy(Qt::ClickFocus);
    colour_ = new ui::CColorButton(bar);
    colour_->setObjectName("colourButton");
    colour_->setToolTip("Colour");
    colour_->setAutoDefault(false);
    colour_->setFocusPolicy(Qt::NoFocus);
    colour_->setFixedWidth(48);
    row->addWidget(face_, 1);
    row->addWidget(size_);
    row->addWidget(colour_);

    // The chosen face, size and colour become the default of the next texts as well.
    connect(face_, &QComboBox::activated, this, [this] {
        const QString family = face_->currentText();
        edit_->applyFontFamily(family);
        settings::write(settings::FontName, family);
        edit_->setFocus();
    });
    connect(size_, &QComboBox::activated, this, [this] {
        const int points = size_->currentData().toInt();
        edit_->applyFontSize(points);
        settings::write(settings::FontSize, points);
        edit_->setFocus();
    });
    connect(colour_, &ui::CColorButton::colorChosen, this, [this](const QColor& c) {
        edit_->applyColor(c);
        settings::write(settings::FontColorRed, c.red());
        settings::write(settings::FontColorGreen, c.green());
        settings::write(settings::FontColorBlue, c.blue());
        edit_->setFocus();
    });
    return row;
}

QLayout* CTavrinPPDiary::makeFormatRow(QWidget* bar) {
    // The character and paragraph formats and the clipboard.
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    const struct {
        const char* name;
        const char* text;
        QAction* action;
        void (QFont::*style)(bool);
    } styles[] = {{"boldButton", "B", bold_, &QFont::setBold},
                  {"italicButton", "I", italic_, &QFont::setItalic},
                  {"underlineButton", "U", underline_, &QFont::setUnderline}};
    for (const auto& s : styles) {
        auto* b = toolButton(bar, s.name, s.text, s.action);
        QFont f = b->font();
        (f.*s.style)(true);
        b->setFont(f);
        row->addWidget(b);
    }
    row->addSpacing(8);

    const char* alignNames[] = {"alignLeftButton", "alignCentreButton", "alignRightButton"};
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int i = 0; i < 3; ++i) {
        auto* b = toolButton(bar, alignNames[i], QString(), align_[std::size_t(i)], true);
        b->setIcon(lineIcon(alignments[i], 100));
        row->addWidget(b);
    }
    row->addSpacing(8);

    const char* spacingNames[] = {"spacing1Button", "spacing15Button", "spacing2Button"};
    const char* spacingTexts[] = {"1", "1.5", "2"};
    const int percents[] = {100, 150, 200};
    for (int i = 0; i < 3; ++i) {
        auto* b = toolButton(bar, spacingNames[i], spacingTexts[i], spacing_[std::size_t(i)], true);
        b->setIcon(lineIcon(Qt::AlignLeft, percents[i]));
        row->addWidget(b);
    }
    row->addSpacing(8);

    row->addWidget(toolButton(bar, "superscriptButton", QString::fromUtf8("x\u00B2"), super_));
    row->addWidget(toolButton(bar, "subscriptButton", QString::fromUtf8("x\u2082"), sub_));
    row->addSpacing(8);

    row->addWidget(toolButton(bar, "undoButton", "Undo", undo_));
    row->addWidget(toolButton(bar, "cutButton", "Cut", cut_));
    row->addWidget(toolButton(bar, "copyButton", "Copy", copy_));
    row->addWidget(toolButton(bar, "pasteButton", "Paste", paste_));
    row->addSpacing(8);
    row->addWidget(spelling_->makeControls(bar));
    row->addStretch(1);
    return row;
}

void CTavrinPPDiary::updateFormatButtons() {
    if (!edit_) return;
    const ui::CCustomRichEdit::Format f = edit_->formatAtCaret();
    bold_->setChecked(f.bold);
    italic_->setChecked(f.italic);
    underline_->setChecked(f.underline);
    super_->setChecked(f.superscript);
    sub_->setChecked(f.subscript);
    align_[0]->setChecked(f.alignment == Qt::AlignLeft);
    align_[1]->setChecked(f.alignment == Qt::AlignHCenter);
    align_[2]->setChecked(f.alignment == Qt::AlignRight);
    spacing_[0]->setChecked(f.lineSpacing == 100);
    spacing_[1]->setChecked(f.lineSpacing == 150);
    spacing_[2]->setChecked(f.lineSpacing == 200);
    colour_->setColor(f.color);
    {
        const QSignalBlocker block(face_);
        // A face that is not installed shows as the one drawn in its place.
        int i = face_->findText(f.family, Qt::MatchFixedString);
        if (i < 0) i = face_->findText(QFontInfo(QFont(f.family)).family(), Qt::MatchFixedString);
        face_->setCurrentIndex(i);
    }
    {
        const QSignalBlocker block(size_);
        const int i = size_->findData(f.pointSize);
        if (i >= 0) size_->setCurrentIndex(i);
    }
}

void CTavrinPPDiary::fillParameters(const DiaryConfig& config, const EntryRecord& entry) {
    rows_ = EntryParameters::rows(config);
    params_->setRedraw(false);
    for (int r = 0; r < rows_.size(); ++r) {
        const ParameterRow& row = rows_[r];
        params_->addRow({row.name, QString()});
        if (row.isSpin()) {
            params_->setSpinCell(r, 1, row.names, EntryParameters::value(row, entry), row.lowest,
                                 row.highest, row.offset);
        } else if (row.isList()) {
            params_->setListCell(r, 1, row.names, EntryParameters::value(row, entry));
        } else {
            params_->setTextCell(r, 1, EntryParameters::text(row, entry),
                                 row.kind == ParameterRow::Integer, row.kind == ParameterRow::Real);
        }
        if (row.kind == ParameterRow::Mood) moodRow_ = r;
    }
    params_->setRedraw(true);
}

void CTavrinPPDiary::parameterEdited(int row, bool cancelled) {
    if (cancelled || row < 0 || row >= rows_.size() || rows_[row].kind != ParameterRow::Real)
        return;
    // A measurement shows as it will be stored, with two decimals.
    EntryRecord scratch = initial_;
    if (EntryParameters::setText(rows_[row], scratch, params_->itemText(row, 1)))
        params_->setItemText(row, 1, EntryParameters::text(rows_[row], scratch));
}

bool CTavrinPPDiary::onKillActive() {
    return voice_->confirmLeave();
}

bool CTavrinPPDiary::isModified() const {
    if (voice_->isModified()) return true;
    const LocalDateTime when = LocalTime::fromTime(initial_.dateTime());
    if (date_->date() != QDate(when.year, when.month, when.day) ||
        time_->time() != QTime(when.hour, when.minute, when.second))
        return true;
    if (description_->text() != fromRecord(initial_.description())) return true;
    for (const QTextDocument* doc : docs_)
        if (doc->availableUndoSteps() > 0) return true;
    for (int r = 0; r < rows_.size(); ++r) {
        const ParameterRow& row = rows_[r];
        if (row.isText() ? params_->itemText(r, 1) != EntryParameters::text(row, initial_)
                         : params_->cellValue(r, 1) != EntryParameters::value(row, initial_))
            return true;
    }
    return false;
}

void CTavrinPPDiary::showSlot(int slot) {
    if (slot < 0 || slot >= kSlots || slot == shown_) return;
    // The documents are the slots' texts: leaving a slot keeps its text as it is.
    shown_ = slot;
    edit_->showDocument(docs_[std::size_t(slot)]);
    if (slot_->currentIndex() != slot) {
        const QSignalBlocker block(slot_);
        slot_->setCurrentIndex(slot);
    }
    updateFormatButtons();
}

void CTavrinPPDiary::showMood(int value) {
    shownMood_ = std::clamp(value, -3, 3);
    QPixmap face = app::ProgramResources::moodPicture(shownMood_);
    if (face.isNull())
        face = ui::ActiveSkin::current().picture(QString("face%1.bmp").arg(shownMood_));
    mood_->setPixmap(face);
}

bool CTavrinPPDiary::event(QEvent* e) {
    if (const auto* m = platform::NamedMessage::match(e, "TNSNotifySpin")) {
        if (int(m->wParam()) == moodRow_ && moodRow_ >= 0) showMood(int(m->lParam()));
        return true;
    }
    return CCustomPropertyPage::event(e);
}

void CTavrinPPDiary::refillPlanner() {
    refreshingPlanner_ = true;
    planner_->setRedraw(false);
    planner_->clear();
    const QDate d = date_->date();
    QList<DayPlanItem> items;
    if (app::DiaryState::instance().hasPath()) {
        auto tn = app::DiaryState::instance().makeTN();
        PlannerOfDay::read(*tn, d.year(), d.month(), d.day(), items);
    }
    for (const DayPlanItem& item : items) {
        const int row = planner_->addRow({item.description, item.priorityText()});
        planner_->setItemData(row, item.position);
        planner_->setChecked(row, item.done);
    }
    planner_->setRedraw(true);
    refreshingPlanner_ = false;
}

void CTavrinPPDiary::plannerTicked(int row, bool done) {
    if (refreshingPlanner_) return;
    auto tn = app::DiaryState::instance().makeTN();
    // The box shows what the table holds: a failed write puts it back.
    if (!PlannerOfDay::setDone(*tn, int(planner_->itemData(row)), done))
        planner_->setChecked(row, !done);
}

bool CTavrinPPDiary::storeInto(EntryRecord& e, std::string& body,
                               std::array<std::string, EntryRecord::kTypeTexts>& types) {
    params_->endEdit(false);
    // A parameter without a row (switched off in the options) keeps what the entry held.
    EntryParameters::copyValues(initial_, e);
    for (int r = 0; r < rows_.size(); ++r) {
        const ParameterRow& row = rows_[r];
        if (row.isText()) {
            // An untouched measurement keeps its stored value, not the two decimals it shows.
            const QString shown = params_->itemText(r, 1);
            if (shown == EntryParameters::text(row, initial_)) continue;
            if (!EntryParameters::setText(row, e, shown)) {
                platform::MessageBox::warning("Please enter a number.", this);
                params_->selectRow(r);
                params_->setFocus();
                return false;
            }
        } else {
            EntryParameters::setValue(row, e, params_->cellValue(r, 1));
        }
    }

    const QDate d = date_->date();
    const QTime t = time_->time();
    e.setDateTime(
        LocalTime::toTime({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()}));
    e.setDescription(toRecord(description_->text()));

    body = RtfCodec::fromDocument(docs_[0]).toStdString();
    for (int i = 0; i < EntryRecord::kTypeTexts; ++i) {
        const QTextDocument* doc = docs_[std::size_t(i + 1)];
        // An empty type text is stored empty, so that the entry list shows it has none.
        types[std::size_t(i)] =
            doc->isEmpty() ? std::string() : RtfCodec::fromDocument(doc).toStdString();
    }
    return true;
}

} // namespace tavrin::diary
