#include "graph/CTavrinDlgGraph.h"

#include "app/DiaryState.h"
#include "app/ModuleRegistry.h"
#include "chart/GraphChart.h"
#include "chart/GraphPlot.h"
#include "platform/FileChooser.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "platform/WindowMessages.h"
#include "storage/Cp1252.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tavrin::graph {

using platform::MessageBox;
using platform::NamedMessage;
using platform::WindowMessages;

namespace {

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

QString local(const std::string& s) {
    return QString::fromLocal8Bit(s);
}

QStringList rowTexts(const EntryRecord& e) {
    QStringList t;
    t << local(LocalTime::format(e.dateTime(), "%d - %b - %Y, %a"))
      << local(LocalTime::format(e.dateTime(), "%X"));
    const std::string description = e.description();
    t << (description.empty() ? QStringLiteral("n/a")
                              : QString::fromStdString(cp1252::toUtf8(description)));
    const QString mark = QStringLiteral("X");
    t << (e.voiceFlag() == 1 ? mark : QString());
    for (int i = 0; i < EntryRecord::kTypeTexts; ++i)
        t << (e.typeLength(i) != 0 ? mark : QString());
    return t;
}

} // namespace

CTavrinDlgGraph::CTavrinDlgGraph(QWidget* parent)
    : ui::CCustomDialog(BackMain, parent), list_(new ui::CCustomListCtrl(this)),
      set_(new QComboBox(this)), print_(new ui::CCustomButton(QStringLiteral("Print"), this)),
      save_(new ui::CCustomButton(QStringLiteral("Save to image"), this)),
      copy_(new ui::CCustomButton(QStringLiteral("To clipboard"), this)),
      chart_(new GraphChart(this)), views_(new QStackedWidget(this)) {
    setWindowFlags(Qt::Widget);
    setObjectName(QStringLiteral("graphPage"));
    list_->setObjectName(QStringLiteral("graphRecordsList"));
    set_->setObjectName(QStringLiteral("dataSetChooser"));
    print_->setObjectName(QStringLiteral("printButton"));
    save_->setObjectName(QStringLiteral("saveImageButton"));
    copy_->setObjectName(QStringLiteral("clipboardButton"));

    list_->insertColumn(QStringLiteral("Date"), 110);
    list_->insertColumn(QStringLiteral("Time"), 58);
    list_->insertColumn(QStringLiteral("Description"), 66);
    for (const char* title : {"V", "1", "2", "3", "4", "5"})
        list_->insertColumn(QLatin1String(title), 19, Qt::AlignHCenter);
    list_->restoreWidths(settings::GraphRecordsList);
    list_->setMultiSelect(true);
    list_->setFullRowSelect(true);
    list_->setEnabled(false);
    list_->setMinimumWidth(260);
    fillChooser();

    for (auto* b : {print_, save_, copy_})
        b->setAutoDefault(false);
    connect(list_, &ui::CCustomListCtrl::selectedRowsChanged, this,
            &CTavrinDlgGraph::rebuildSelection);
    connect(set_, &QComboBox::activated, this, [this] { redraw(); });
    connect(print_, &QPushButton::clicked, this, &CTavrinDlgGraph::print);
    connect(save_, &QPushButton::clicked, this, &CTavrinDlgGraph::saveImage);
    connect(copy_, &QPushButton::clicked, this, &CTavrinDlgGraph::copyToClipboard);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { platform::Help::openTopic(QString::fromLatin1(kHelpTopic), this); });

    auto* left = new QVBoxLayout;
    left->addWidget(list_, 1);
    left->addWidget(set_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print_);
    buttons->addWidget(save_);
    buttons->addWidget(copy_);
    left->addLayout(buttons);
    // The views other modules offer (the year at a glance), each shown in the plot's place.
    for (const app::GraphView& v : app::ModuleRegistry::graphViews()) {
        auto* b = new ui::CCustomButton(v.caption, this);
        b->setObjectName(v.name);
        b->setCheckable(true);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, b, create = v.create] {
            if (!b->isChecked()) return showPlot();
            showPlot();
            QWidget* view = create(views_);
            if (!view) return;
            b->setChecked(true);
            views_->addWidget(view);
            views_->setCurrentWidget(view);
        });
        viewButtons_ << b;
        left->addWidget(b);
    }
    views_->addWidget(chart_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(left, 0);
    layout->addWidget(views_, 1);

    postDraw();
}

void CTavrinDlgGraph::fillChooser() {
    set_->clear();
    set_->addItem(QStringLiteral("Diary Data"));
    set_->addItem(QStringLiteral("Fibromyalgia Data"));
    set_->setCurrentIndex(int(DataSet::Diary));
}

void CTavrinDlgGraph::fillList() {
    WaitCursor wait;
    list_->clear();
    selection_.clear();
    const app::DiaryState& diary = app::DiaryState::instance();
    std::vector<EntryRecord> records;
    if (diary.hasPath()) diary.makeTN()->ReadAllIndexRecords(records);
    if (records.empty()) {
        list_->setEnabled(false);
        return;
    }
    list_->setEnabled(true);
    QList<QStringList> rows;
    rows.reserve(qsizetype(records.size()));
    for (const EntryRecord& e : records)
        rows << rowTexts(e);
    list_->setRedraw(false);
    const QSignalBlocker quiet(list_);
    const int first = list_->addRows(rows);
    for (std::size_t i = 0; i < records.size(); ++i)
        list_->setItemData(first + int(i), qint64(i));
    list_->setRedraw(true);
    list_->selectRow(list_->rowCount() - 1);
    list_->ensureVisible(list_->rowCount() - 1);
    rebuildSelection();
}

void CTavrinDlgGraph::showPlot() {
    // A view is made afresh each time it is chosen, from the diary as it is now.
    while (views_->count() > 1) {
        QWidget* old = views_->widget(1);
        views_->removeWidget(old);
        old->deleteLater();
    }
    for (ui::CCustomButton* b : viewButtons_)
        b->setChecked(false);
    views_->setCurrentWidget(chart_);
}

void CTavrinDlgGraph::pageShown() {
    showPlot();
    fillChooser();
    rebuildSelection();
    postDraw();
}

void CTavrinDlgGraph::rebuildSelection() {
    if (!app::DiaryState::instance().hasPath()) return;
    selection_.clear();
    const QList<int> rows = list_->selectedRows();
    selection_.reserve(rows.size());
    for (int row : rows)
        selection_ << list_->itemData(row);
    if (!selection_.isEmpty()) postDraw();
}

void CTavrinDlgGraph::postDraw() {
    if (drawPosted_) return;
    drawPosted_ = true;
    WindowMessages::post(this, QStringLiteral("TNSDrawGraph"));
}

bool CTavrinDlgGraph::event(QEvent* event) {
    if (event->type() >= QEvent::User) {
        if (NamedMessage::match(event, "TNSDrawGraph")) {
            drawPosted_ = false;
            redraw();
            return true;
        }
        if (NamedMessage::match(event, "TNSListTrnsfr")) {
            fillList();
            return true;
        }
    }
    return ui::CCustomDialog::event(event);
}

void CTavrinDlgGraph::redraw() {
    const app::DiaryState& diary = app::DiaryState::instance();
    if (!diary.hasPath() || selection_.isEmpty()) return;
    WaitCursor wait;
    auto tn = diary.makeTN();
    if (!tn->ReadConfiguration()) return;
    if (!tn->ReadGraphSettings()) {
        MessageBox::warning(QString::fromLatin1(GraphPlot::kUnreadableSettings), this);
        return;
    }
    // One read of the index for any number of selected entries.
    std::vector<EntryRecord> records;
    tn->ReadAllIndexRecords(records);
    std::vector<const EntryRecord*> chosen;
    chosen.reserve(std::size_t(selection_.size()));
    for (qint64 position : selection_)
        if (position >= 0 && std::size_t(position) < records.size())
            chosen.push_back(&records[std::size_t(position)]);

    Plot plot;
    switch (GraphPlot::build(set_->currentIndex(), tn->config, tn->graph, chosen, plot)) {
    case GraphPlot::Outcome::Ok:
        chart_->showPlot(plot);
        break;
    case GraphPlot::Outcome::NothingToPlot:
        chart_->removeLabels();
        MessageBox::plain(QString::fromLatin1(GraphPlot::kNothingToPlot), this);
        break;
    case GraphPlot::Outcome::UnknownSet:
        MessageBox::warning(QString::fromLatin1(GraphPlot::kUnknownSet), this);
        break;
    }
}

void CTavrinDlgGraph::print() {
    platform::PrintChoice choice = platform::PrintDialog::choose(this, false);
    if (!choice.printer) return;
    QPrinter& printer = *choice.printer;
    printer.setDocName(QString::fromLatin1(kDocumentName));
    QPainter painter;
    if (!painter.begin(&printer)) {
        MessageBox::warning(QStringLiteral("Unable to print the graph!"), this);
        return;
    }
    // 0.8 inch on every side of the printable area.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double mx = 0.8 * printer.logicalDpiX(), my = 0.8 * printer.logicalDpiY();
    const QRectF target(mx, my, page.width() - 2 * mx, page.height() - 2 * my);
    chart_->paintInto(painter, target);
    if (!painter.end()) printer.abort();
}

void CTavrinDlgGraph::saveImage() {
    const QString path = platform::FileChooser::save(
        this, QStringLiteral("Export graph to PNG"), QStringLiteral("PNG files (*.png)|*.png||"),
        QStringLiteral("png"), QStringLiteral("*.png"), true);
    if (path.isEmpty()) return;
    if (!chart_->savePng(path))
        MessageBox::warning(QStringLiteral("Unable to save the image %1!").arg(path), this);
}

void CTavrinDlgGraph::copyToClipboard() {
    chart_->copyToClipboard();
}

} // namespace tavrin::graph
