#include "tools/CalculatorBody.h"

#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "ui/CCustomButton.h"
#include "ui/SkinnedWidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QVBoxLayout>

namespace tavrin::tools {
namespace {
using Op = CalculatorLogic::Op;

// The keys as they sit on the panel: caption, row, column, column span.
constexpr struct {
    const char* caption;
    const char* name;
    int row, column, span;
} kKeys[] = {
    {"C", "keyClear", 0, 0, 1},
    {"CE", "keyClearEntry", 0, 1, 1},
    {"+/-", "keySign", 0, 2, 1},
    {"sqrt", "keyRoot", 0, 3, 1},
    {"/", "keyDivide", 0, 4, 1},
    {"7", "key7", 1, 0, 1},
    {"8", "key8", 1, 1, 1},
    {"9", "key9", 1, 2, 1},
    {"x^2", "keySquare", 1, 3, 1},
    {"*", "keyMultiply", 1, 4, 1},
    {"4", "key4", 2, 0, 1},
    {"5", "key5", 2, 1, 1},
    {"6", "key6", 2, 2, 1},
    {"1/x", "keyReciprocal", 2, 3, 1},
    {"-", "keySubtract", 2, 4, 1},
    {"1", "key1", 3, 0, 1},
    {"2", "key2", 3, 1, 1},
    {"3", "key3", 3, 2, 1},
    {"%", "keyPercent", 3, 3, 1},
    {"+", "keyAdd", 3, 4, 1},
    {"0", "key0", 4, 0, 2},
    {".", "keyPoint", 4, 2, 1},
    {"=", "keyEquals", 4, 3, 2},
    {"Min -> H", "keyMinToH", 5, 0, 2},
    {"H -> Min", "keyHToMin", 5, 2, 3},
    {"Km -> M", "keyKmToM", 6, 0, 2},
    {"M -> Km", "keyMToKm", 6, 2, 3},
};
} // namespace

CalculatorBody::CalculatorBody(QWidget* parent)
    : QWidget(parent), display_(new QLineEdit(this)), tape_(new QListWidget(this)) {
    setObjectName("calculator");
    display_->setObjectName("calculatorDisplay");
    display_->setAlignment(Qt::AlignRight);
    display_->setText(QString::fromStdString(logic_.display()));
    QFont big = display_->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    display_->setFont(big);
    ui::skinnedField(display_);
    tape_->setObjectName("calculatorTape");
    ui::skinnedField(tape_);
    tape_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* keys = new QGridLayout;
    keys->setSpacing(3);
    for (const auto& k : kKeys) {
        auto* b = new ui::CCustomButton(QString::fromLatin1(k.caption), this);
        b->setObjectName(QString::fromLatin1(k.name));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setMinimumSize(10, 24);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        keys->addWidget(b, k.row, k.column, 1, k.span);
        connect(b, &QPushButton::clicked, this,
                [this, c = QString::fromLatin1(k.caption)] { press(c); });
    }
    auto* copy = new ui::CCustomButton("Copy", this);
    copy->setObjectName("calculatorCopy");
    copy->setFocusPolicy(Qt::NoFocus);
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, [this] { copyLine(); });

    display_->installEventFilter(this);
    connect(display_, &QLineEdit::textEdited, this,
            [this](const QString& t) { logic_.setDisplay(t.toStdString()); });
    connect(display_, &QLineEdit::returnPressed, this, [this] { press("="); });
    connect(tape_, &QListWidget::currentRowChanged, this,
            [this](int row) { logic_.selectLine(row); });
    auto shortcut = [this](QKeySequence key, auto slot) {
        auto* s = new QShortcut(key, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(Qt::Key_Escape, [this] { press("C"); });
    shortcut(Qt::Key_Enter, [this] { press("="); });
    shortcut(QKeySequence::HelpContents, [this] { platform::Help::openTopic(kHelpTopic, this); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(display_);
    layout->addLayout(keys);
    layout->addWidget(tape_, 1);
    layout->addWidget(copy, 0, Qt::AlignRight);
}

void CalculatorBody::press(const QString& caption) {
    static const struct {
        const char* caption;
        Op op;
    } kUnary[] = {{"x^2", Op::Square},
                  {"sqrt", Op::SquareRoot},
                  {"1/x", Op::Reciprocal},
                  {"Min -> H", Op::MinutesToHours},
                  {"H -> Min", Op::HoursToMinutes},
                  {"Km -> M", Op::KmToMiles},
                  {"M -> Km", Op::MilesToKm}};
    static const struct {
        const char* caption;
        Op op;
    } kBinary[] = {{"+", Op::Add}, {"-", Op::Subtract}, {"*", Op::Multiply}, {"/", Op::Divide}};

    if (caption.size() == 1 && caption[0].isDigit()) {
        logic_.digit(caption.toInt());
    } else if (caption == ".") {
        logic_.point();
    } else if (caption == "C") {
        logic_.clear();
    } else if (caption == "CE") {
        logic_.clearEntry();
    } else if (caption == "+/-") {
        logic_.changeSign();
    } else if (caption == "%") {
        logic_.percent();
    } else if (caption == "=") {
        if (!logic_.equals()) platform::Sound::beep();
    } else if (caption == "Copy") {
        copyLine();
        return;
    } else {
        for (const auto& b : kBinary)
            if (caption == QLatin1String(b.caption)) logic_.binary(b.op);
        for (const auto& u : kUnary)
            if (caption == QLatin1String(u.caption)) logic_.unary(u.op);
    }
    refresh();
}

bool CalculatorBody::eventFilter(QObject* watched, QEvent* event) {
    if (watched == display_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString t = key->text();
        if (t.size() == 1 && QString("0123456789.+-*/%=").contains(t[0])) {
            press(t);
            return true;
        }
        if (t == ",") {
            press(".");
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorBody::refresh() {
    display_->setText(QString::fromStdString(logic_.display()));
    const auto& lines = logic_.tape();
    const QSignalBlocker quiet(tape_);
    if (tape_->count() > int(lines.size())) tape_->clear();
    for (int i = tape_->count(); i < int(lines.size()); ++i)
        tape_->addItem(QString::fromStdString(lines[std::size_t(i)]));
    tape_->setCurrentRow(logic_.selectedLine());
    if (logic_.selectedLine() >= 0) tape_->scrollToItem(tape_->currentItem());
}

void CalculatorBody::copyLine() {
    const int line = logic_.selectedLine();
    if (line < 0) {
        platform::MessageBox::information(kNoLine, this);
        return;
    }
    if (QClipboard* c = QApplication::clipboard())
        c->setText(QString::fromStdString(logic_.tape()[std::size_t(line)]));
}

} // namespace tavrin::tools
