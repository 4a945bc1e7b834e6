#include "health/CTavrinDlgHealthReport.h"

#include "app/DiaryState.h"
#include "health/YearGlanceWidget.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QVBoxLayout>

namespace tavrin::health {
namespace {

std::int64_t dayStart(const QDate& d, bool end) {
    std::int64_t t = 0;
    HealthData::parseDate(d.toString("yyyy-MM-dd").toStdString(), end, t);
    return t;
}

QDate dateOf(std::int64_t t) {
    return QDate::fromString(QString::fromStdString(LocalTime::format(t, "%Y-%m-%d")),
                             "yyyy-MM-dd");
}

} // namespace

CTavrinDlgHealthReport::CTavrinDlgHealthReport(QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), from_(new QDateEdit(this)), to_(new QDateEdit(this)),
      preview_(nullptr), previewPrinter_(std::make_unique<QPrinter>(QPrinter::ScreenResolution)) {
    setWindowTitle(kTitle);
    setObjectName("healthReport");
    for (QDateEdit* e : {from_, to_}) {
        e->setCalendarPopup(true);
        e->setDisplayFormat("yyyy-MM-dd");
    }
    from_->setObjectName("fromDate");
    to_->setObjectName("toDate");
    previewPrinter_->setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
    preview_ = new QPrintPreviewWidget(previewPrinter_.get(), this);
    preview_->setObjectName("reportPreview");
    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
    preview_->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        if (report_) report_->print(*printer);
    });

    auto* print = new ui::CCustomButton("Print", this);
    print->setObjectName("printButton");
    auto* pdf = new ui::CCustomButton("Save as PDF", this);
    pdf->setObjectName("pdfButton");
    auto* findings = new ui::CCustomButton("Correlations", this);
    findings->setObjectName("correlationsButton");
    auto* glance = new ui::CCustomButton("Year at a glance", this);
    glance->setObjectName("glanceButton");
    connect(glance, &QPushButton::clicked, this, [this] { showYearGlance(); });
    auto* close = new ui::CCustomButton("Close", this);
    close->setObjectName("closeButton");
    connect(print, &QPushButton::clicked, this, [this] { this->print(); });
    connect(pdf, &QPushButton::clicked, this, [this] { saveAsPdf(); });
    connect(findings, &QPushButton::clicked, this, [this] { showCorrelations(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("From", this));
    top->addWidget(from_);
    top->addWidget(new QLabel("to", this));
    top->addWidget(to_);
    top->addStretch(1);
    top->addWidget(glance);
    top->addWidget(findings);
    top->addWidget(print);
    top->addWidget(pdf);
    top->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(preview_, 1);
    resize(760, 720);

    // The range first shown: the last kDefaultDays days up to the last entry that is not in
    // the future (a mistyped year must not take the report over), or up to today.
    const std::int64_t now = platform::Clock::now();
    QDate last = dateOf(now);
    if (auto tn = app::DiaryState::instance().makeTN()) {
        std::vector<EntryRecord> records;
        tn->ReadAllIndexRecords(records);
        std::int64_t latest = 0;
        for (const EntryRecord& r : records)
            if (r.dateTime() <= now) latest = std::max(latest, r.dateTime());
        if (latest > 0) last = dateOf(latest);
    }
    from_->setDate(last.addDays(-kDefaultDays));
    to_->setDate(last);
    connect(from_, &QDateEdit::dateChanged, this, [this] { reload(); });
    connect(to_, &QDateEdit::dateChanged, this, [this] { reload(); });
    reload();
}

CTavrinDlgHealthReport::~CTavrinDlgHealthReport() = default;

void CTavrinDlgHealthReport::run(QWidget* parent) {
    if (!app::DiaryState::instance().usable()) return;
    CTavrinDlgHealthReport dlg(parent);
    dlg.exec();
}

void CTavrinDlgHealthReport::setRange(const QDate& from, const QDate& to) {
    const QSignalBlocker a(from_), b(to_);
    from_->setDate(from);
    to_->setDate(to);
    reload();
}

void CTavrinDlgHealthReport::reload() {
    std::unique_ptr<TN> tn = app::DiaryState::instance().makeTN();
    ReportData loaded;
    if (!tn || !tn->ReadConfiguration() ||
        !HealthReport::load(*tn, {dayStart(from_->date(), false), dayStart(to_->date(), true)},
                            loaded))
        return;
    report_ = std::make_unique<HealthReport>(std::move(loaded));
    preview_->updatePreview();
}

bool CTavrinDlgHealthReport::print() {
    if (!report_) return false;
    platform::PrintChoice choice = platform::PrintDialog::choose(this, false);
    if (!choice.printer) return false;
    choice.printer->setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
    return report_->print(*choice.printer);
}

bool CTavrinDlgHealthReport::saveAsPdf() {
    if (!report_) return false;
    const QString path =
        platform::FileChooser::save(this, "Save the health report as", "PDF files (*.pdf)|*.pdf||",
                                    "pdf", "Health report.pdf", true);
    if (path.isEmpty()) return false;
    std::unique_ptr<QPrinter> printer = platform::PrintDialog::pdfPrinter(path);
    printer->setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
    if (report_->print(*printer)) return true;
    platform::MessageBox::warning("Unable to write " + path + "!", this);
    return false;
}

void CTavrinDlgHealthReport::showCorrelations() {
    if (!report_) return;
    CTavrinDlgCorrelations dlg(report_->findings(), report_->rangeText(), this);
    dlg.exec();
}

void CTavrinDlgHealthReport::showYearGlance() {
    std::unique_ptr<TN> tn = app::DiaryState::instance().makeTN();
    std::vector<HealthEntry> all;
    if (!tn || !HealthData::read(*tn, {}, all)) return;
    ui::CCustomDialog dlg(BackAll, this);
    dlg.setWindowTitle("Year at a glance");
    auto* view = new YearGlanceWidget(std::move(all), &dlg);
    auto* close = new ui::CCustomButton("Close", &dlg);
    connect(close, &QPushButton::clicked, &dlg, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(view, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    dlg.resize(760, 480);
    dlg.exec();
}

CTavrinDlgCorrelations::CTavrinDlgCorrelations(const Findings& findings, const QString& range,
                                               QWidget* parent)
    : ui::CCustomDialog(BackAll, parent) {
    setWindowTitle(kTitle);
    setObjectName("correlations");
    auto* heading = new QLabel(range, this);
    auto* list = new ui::CCustomListCtrl(this);
    list->setObjectName("correlationList");
    list->insertColumn("Factor", 150, Qt::AlignLeft);
    list->insertColumn("Outcome", 110, Qt::AlignLeft);
    list->insertColumn("Lag (days)", 70, Qt::AlignRight);
    list->insertColumn("rho", 50, Qt::AlignRight);
    list->insertColumn("p", 60, Qt::AlignRight);
    list->insertColumn("n", 40, Qt::AlignRight);
    list->insertColumn("In words", 420, Qt::AlignLeft);
    for (const Correlation& c : findings.found)
        list->addRow({QString::fromStdString(c.factor), QString::fromStdString(c.outcome),
                      QString::number(c.lag),
                      QString::fromStdString(Correlations::twoDecimals(c.rho)),
                      c.p < 0.001 ? QString("< 0.001") : QString::number(c.p, 'f', 3),
                      QString::number(c.n), QString::fromStdString(c.words)});
    auto* tested = new QLabel(QString::fromStdString(Correlations::testedText(findings)), this);
    tested->setObjectName("testedPairs");
    tested->setWordWrap(true);
    auto* apart = new QLabel(Correlations::kTooFarApart, this);
    apart->setWordWrap(true);
    apart->setVisible(findings.tested > 0 && !findings.lookedBack);
    auto* note = new QLabel(Correlations::kNotACause, this);
    note->setWordWrap(true);
    note->setObjectName("notACause");
    auto* close = new ui::CCustomButton("Close", this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(tested);
    layout->addWidget(apart);
    layout->addWidget(list, 1);
    layout->addWidget(note);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(880, 480);
}

} // namespace tavrin::health
