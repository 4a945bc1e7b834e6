#include "health/HealthModule.h"

#include "app/DiaryState.h"
#include "health/CTavrinDlgHealthReport.h"
#include "health/YearGlanceWidget.h"
#include "health/logic/HealthData.h"
#include "storage/TN.h"

namespace tavrin::health {
namespace {

// The whole diary as it is now; nullptr (the plot stays) when it cannot be read.
QWidget* yearGlanceView(QWidget* parent) {
    const app::DiaryState& diary = app::DiaryState::instance();
    std::vector<HealthEntry> entries;
    if (!diary.hasPath() || !HealthData::read(*diary.makeTN(), {}, entries)) return nullptr;
    auto* view = new YearGlanceWidget(std::move(entries), parent);
    view->setObjectName(QStringLiteral("yearGlanceView"));
    return view;
}

} // namespace

QList<app::ToolEntry> HealthModule::toolEntries() {
    return {{app::ToolGroup::ImportExport, QString::fromLatin1(CTavrinDlgHealthReport::kTitle),
             QStringLiteral("healthReportButton"), &CTavrinDlgHealthReport::run}};
}

QList<app::GraphView> HealthModule::graphViews() {
    return {
        {QStringLiteral("Year at a glance"), QStringLiteral("yearGlanceButton"), &yearGlanceView}};
}

} // namespace tavrin::health
