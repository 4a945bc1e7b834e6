#include "diary/FibroRatingsWidget.h"

#include "diary/ChoiceButton.h"
#include "ui/CCustomStatic.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrin::diary {
namespace {
constexpr int kButtonW = 22, kButtonH = 20;

// A group label hands its text colour down to what lies in it; a field keeps the colours of
// fields, so that it reads on its white ground under a dark skin too.
void keepFieldColours(QWidget* field) {
    const QPalette standard = QApplication::palette(field);
    QPalette pal = field->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (auto role :
             {QPalette::Text, QPalette::Base, QPalette::WindowText, QPalette::PlaceholderText})
            pal.setBrush(group, role, standard.brush(group, role));
    field->setPalette(pal);
}

} // namespace

FibroRatingsWidget::FibroRatingsWidget(bool readOnly, QWidget* parent)
    : QWidget(parent), readOnly_(readOnly) {
    choices_.fill(FibroScale::kNone);
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(6);

    auto* left = new QVBoxLayout;
    left->addWidget(makeGroup(0));
    left->addWidget(makeGroup(1));
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(makeGroup(2));
    right->addWidget(makeGroup(3));
    auto* values = new QHBoxLayout;
    values->addWidget(makeValues(false));
    values->addWidget(makeValues(true));
    right->addLayout(values);
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(right);
}

QWidget* FibroRatingsWidget::makeGroup(int group) {
    const FibroGroup& g = FibroScale::groups()[std::size_t(group)];
    auto* box = new ui::CCustomStatic(g.name, this, ui::CCustomStatic::Group);
    box->setObjectName(QString("fibroGroup%1").arg(group + 1));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    auto* low = new ui::CCustomStatic(g.low, box);
    auto* high = new ui::CCustomStatic(g.high, box);
    high->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(low, 0, 1, 1, 5);
    grid->addWidget(high, 0, 6, 1, 5);

    int row = 1;
    const auto ratings = FibroScale::ratings();
    for (int i = 0; i < FibroScale::kRatings; ++i) {
        if (ratings[std::size_t(i)].group != group) continue;
        auto* name = new ui::CCustomStatic(ratings[std::size_t(i)].name, box);
        name->setMinimumWidth(70);
        grid->addWidget(name, row, 0);
        for (int c = 0; c < FibroScale::kChoices; ++c) {
            auto* b = new ChoiceButton(QString::number(c + 1), box);
            b->setObjectName(QString("rating%1_%2").arg(i + 1).arg(c + 1));
            b->setFixedSize(kButtonW, kButtonH);
            QFont f = b->font();
            f.setPointSizeF(f.pointSizeF() * 0.85);
            b->setFont(f);
            if (readOnly_) {
                // Shows the choice; the preview cannot change the entry.
                b->installEventFilter(this);
                b->setFocusPolicy(Qt::NoFocus);
            } else {
                connect(b, &QAbstractButton::clicked, this,
                        [this, i, c](bool checked) { pressed(i, c, checked); });
            }
            buttons_[std::size_t(i)][std::size_t(c)] = b;
            grid->addWidget(b, row, c + 1);
        }
        ++row;
    }
    return box;
}

QWidget* FibroRatingsWidget::makeValues(bool humidity) {
    const auto first = humidity ? FibroValues::OutdoorHumidity : FibroValues::BodyTemperature;
    auto* box =
        new ui::CCustomStatic(FibroValues::groupName(first), this, ui::CCustomStatic::Group);
    box->setObjectName(humidity ? "humidityGroup" : "temperatureGroup");
    auto* grid = new QGridLayout(box);
    const int count = humidity ? 2 : 3;
    for (int k = 0; k < count; ++k) {
        const auto f = FibroValues::Field(first + k);
        grid->addWidget(new ui::CCustomStatic(FibroValues::label(f), box), k, 0);
        auto* edit = new QLineEdit(box);
        edit->setObjectName(QString("fibroValue%1").arg(int(f) + 1));
        edit->setMaximumWidth(70);
        edit->setReadOnly(readOnly_);
        keepFieldColours(edit);
        if (readOnly_) edit->setFocusPolicy(Qt::NoFocus);
        // Room for what the fields may hold; the check on leaving the page says what is wrong.
        edit->setMaxLength(humidity ? 4 : 16);
        fields_[std::size_t(f)] = edit;
        grid->addWidget(edit, k, 1);
    }
    return box;
}

bool FibroRatingsWidget::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true; // read-only: the buttons only show
    default:
        return QWidget::eventFilter(watched, e);
    }
}

void FibroRatingsWidget::pressed(int index, int choice, bool checked) {
    setRating(index, checked ? choice : FibroScale::kNone);
    emit ratingChanged(index, choices_[std::size_t(index)]);
}

void FibroRatingsWidget::setRating(int index, int choice) {
    if (index < 0 || index >= FibroScale::kRatings) return;
    if (choice < 0 || choice >= FibroScale::kChoices) choice = FibroScale::kNone;
    choices_[std::size_t(index)] = choice;
    for (int c = 0; c < FibroScale::kChoices; ++c)
        buttons_[std::size_t(index)][std::size_t(c)]->setChecked(c == choice);
}

void FibroRatingsWidget::showEntry(const EntryRecord& e) {
    const auto ratings = FibroScale::ratings();
    for (int i = 0; i < FibroScale::kRatings; ++i)
        setRating(i, FibroScale::choiceOf(e.fibro(ratings[std::size_t(i)].field)));
    const FibroValues v = FibroValues::of(e);
    for (int f = 0; f < FibroValues::kFields; ++f)
        fields_[std::size_t(f)]->setText(v.text(FibroValues::Field(f)));
}

void FibroRatingsWidget::clearEntry() {
    for (int i = 0; i < FibroScale::kRatings; ++i)
        setRating(i, FibroScale::kNone);
    for (QLineEdit* e : fields_)
        e->clear();
}

void FibroRatingsWidget::storeRatings(EntryRecord& e) const {
    const auto ratings = FibroScale::ratings();
    for (int i = 0; i < FibroScale::kRatings; ++i)
        e.setFibro(ratings[std::size_t(i)].field, std::int8_t(choices_[std::size_t(i)]));
}

bool FibroRatingsWidget::takeValues(FibroValues& out, FibroValues::Field& bad,
                                    QString& message) const {
    std::array<QString, FibroValues::kFields> texts;
    for (int f = 0; f < FibroValues::kFields; ++f)
        texts[std::size_t(f)] = fields_[std::size_t(f)]->text();
    return out.parse(texts, bad, message);
}

QAbstractButton* FibroRatingsWidget::button(int index, int choice) const {
    if (index < 0 || index >= FibroScale::kRatings || choice < 0 || choice >= FibroScale::kChoices)
        return nullptr;
    return buttons_[std::size_t(index)][std::size_t(choice)];
}

} // namespace tavrin::diary
