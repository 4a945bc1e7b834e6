#include "diary/CTavrinDlgDiaryCalculator.h"

#include "app/DiaryState.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "storage/Cp1252.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"
#include "ui/DateTimeTyping.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrin::diary {
namespace {

QDate dateOf(std::int64_t t) {
    const LocalDateTime l = LocalTime::fromTime(t);
    return QDate(l.year, l.month, l.day);
}

DiaryCalculator::Day dayOf(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

} // namespace

CTavrinDlgDiaryCalculator::CTavrinDlgDiaryCalculator(QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), sum_(new QComboBox(this)), divisor_(new QComboBox(this)),
      from_(new QDateEdit(this)), to_(new QDateEdit(this)), result_(new QLineEdit(this)) {
    setObjectName("diaryCalculator");
    setWindowTitle(kTitle);
    setModal(true);

    sum_->setObjectName("calculateChooser");
    divisor_->setObjectName("divideByChooser");
    for (QDateEdit* d : {from_, to_}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat("dd - MMM - yyyy");
        ui::DateTimeTyping::attach(d);
    }
    from_->setObjectName("fromDate");
    to_->setObjectName("toDate");
    result_->setObjectName("result");
    result_->setReadOnly(true);
    result_->setText(DiaryCalculator::kNoData);
    result_->setAlignment(Qt::AlignCenter);

    auto* calculateButton = new ui::CCustomButton("Calculate", this);
    calculateButton->setObjectName("calculateButton");
    calculateButton->setDefault(true);
    auto* finished = new ui::CCustomButton("Finished", this);
    finished->setObjectName("finishedButton");
    finished->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(new ui::CCustomStatic("Calculate", this), 0, 0);
    grid->addWidget(sum_, 0, 1);
    grid->addWidget(new ui::CCustomStatic("divide by", this), 1, 0);
    grid->addWidget(divisor_, 1, 1);
    grid->addWidget(new ui::CCustomStatic("Between", this), 2, 0);
    grid->addWidget(from_, 2, 1);
    grid->addWidget(new ui::CCustomStatic("and", this), 3, 0);
    grid->addWidget(to_, 3, 1);
    grid->addWidget(new ui::CCustomStatic("Result", this), 4, 0);
    grid->addWidget(result_, 4, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(calculateButton);
    buttons->addWidget(finished);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(340);

    connect(calculateButton, &QPushButton::clicked, this, &CTavrinDlgDiaryCalculator::calculate);
    connect(finished, &QPushButton::clicked, this, &QDialog::accept);

    ready_ = load();
}

bool CTavrinDlgDiaryCalculator::load() {
    auto& state = app::DiaryState::instance();
    if (!state.hasPath()) return false;
    auto tn = state.makeTN();
    if (!tn->ReadConfiguration()) return false;
    tn->ReadAllIndexRecords(entries_);
    if (entries_.empty()) {
        platform::MessageBox::plain(kNoEntries, parentWidget());
        return false;
    }
    params_ = DiaryCalculator::parameters(tn->config);
    if (params_.empty()) {
        platform::MessageBox::warning(kNoParameter, parentWidget());
        return false;
    }
    divisor_->addItem(DiaryCalculator::kByEntries);
    for (const auto& p : params_) {
        const QString name = QString::fromStdString(cp1252::toUtf8(p.name));
        sum_->addItem(name);
        divisor_->addItem(name);
    }
    sum_->setCurrentIndex(0);
    divisor_->setCurrentIndex(0);
    // Entries are kept in date order: the first and the last bound the range.
    const QDate first = dateOf(entries_.front().dateTime());
    const QDate last = dateOf(entries_.back().dateTime());
    for (QDateEdit* d : {from_, to_})
        d->setDateRange(first, last);
    from_->setDate(first);
    to_->setDate(last);
    return true;
}

void CTavrinDlgDiaryCalculator::run(QWidget* parent) {
    CTavrinDlgDiaryCalculator dlg(parent);
    if (dlg.ready()) dlg.exec();
}

void CTavrinDlgDiaryCalculator::calculate() {
    if (!ready_) return;
    if (from_->date() > to_->date()) {
        platform::MessageBox::warning(kWrongOrder, this);
        return;
    }
    const int s = sum_->currentIndex();
    const int d = divisor_->currentIndex();
    if (s < 0 || s >= int(params_.size()) || d < 0 || d > int(params_.size())) return;
    const DiaryConfig::Measure* by = d == 0 ? nullptr : &params_[std::size_t(d - 1)].measure;
    const auto r = DiaryCalculator::compute(entries_, params_[std::size_t(s)].measure, by,
                                            dayOf(from_->date()), dayOf(to_->date()));
    result_->setText(QString::fromStdString(r.text()));
}

} // namespace tavrin::diary
