#include "options/CTavrinPPOptionsCustom.h"

#include "app/ProgramResources.h"
#include "options/OptionsSettings.h"
#include "options/OptionsWidgets.h"
#include "platform/Settings.h"
#include "ui/CCustomButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace tavrin::options {

using Measure = DiaryConfig::Measure;

namespace {

struct Parameter {
    const char* title;
    const char* key;
    const char* name;
    bool enabled;
};

const Parameter kParams[CTavrinPPOptionsCustom::kParameters] = {
    {"Check mark 1", "check1", "Menstruus", true},
    {"Check mark 2", "check2", "Copulation", true},
    {"Floating point 1", "float1", "Temperature", true},
    {"Floating point 2", "float2", "no name", false},
    {"Integer 1", "integer1", "Weight", true},
    {"Integer 2", "integer2", "no name", false},
};
const char* const kTypeNames[DiaryConfig::kTypes] = {"Finance", "Drafts", "Journal", "E-mail",
                                                     "Poetry"};
const Measure kMeasures[4] = {Measure::Real1, Measure::Real2, Measure::Int1, Measure::Int2};

QString shortcutDefault(int i) {
    return QStringLiteral("text for hotkey%1").arg(i + 1);
}

QString orDefault(const std::string& stored, const QString& fallback) {
    return stored.empty() ? fallback : widgets::fromStored(stored);
}

} // namespace

QString CTavrinPPOptionsCustom::shownTypeName(int i, const std::string& stored) {
    // An empty fourth name has always been shown in the plural.
    if (stored.empty()) return i == 3 ? QStringLiteral("E-mails") : QLatin1String(kTypeNames[i]);
    return widgets::fromStored(stored);
}

CTavrinPPOptionsCustom::CTavrinPPOptionsCustom(const DiaryConfig& config, QWidget* parent)
    : GraphOptionsPage(QStringLiteral("Custom Controls / Shortcuts / Diary Type Names / Printing"),
                       parent),
      headFont_(widgets::list(QStringLiteral("headFont"), this)),
      bodyFont_(widgets::list(QStringLiteral("bodyFont"), this)),
      headSize_(widgets::field(2, QStringLiteral("headSize"), this)),
      bodySize_(widgets::field(2, QStringLiteral("bodySize"), this)) {
    setObjectName(QStringLiteral("customPage"));
    using namespace widgets;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(6);

    for (int i = 0; i < kParameters; ++i) {
        const Parameter& p = kParams[i];
        const QString key = QLatin1String(p.key);
        QGridLayout* g = group(QLatin1String(p.title), key + QStringLiteral("Group"), this);
        names_[i] = field(14, key + QStringLiteral("Name"), this);
        enabled_[i] = checkBox(QStringLiteral("Enabled"), key + QStringLiteral("Enabled"), this);
        const std::string stored =
            i < 2 ? config.checkName(i) : config.measureName(kMeasures[i - 2]);
        names_[i]->setText(orDefault(stored, QLatin1String(p.name)));
        enabled_[i]->setChecked(i < 2 ? config.checkEnabled(i)
                                      : config.measureEnabled(kMeasures[i - 2]));
        g->addWidget(names_[i], 0, 0, 1, 2);
        g->addWidget(enabled_[i], 1, 0);
        addGraph(GraphSettings::diarySlot(4 + i), false, QStringLiteral("Visible graph"),
                 key + QStringLiteral("Graph"))
            ->place(g, 1, 1, 1);
        grid->addWidget(g->parentWidget(), i / 2, i % 2);
    }

    QGridLayout* keys = group(QStringLiteral("Shortcuts"), QStringLiteral("shortcutsGroup"), this);
    for (int i = 0; i < DiaryConfig::kShortcuts; ++i) {
        shortcuts_[i] = field(299, QStringLiteral("shortcut%1").arg(i + 1), this);
        shortcuts_[i]->setText(orDefault(config.shortcut(i), shortcutDefault(i)));
        keys->addWidget(label(QStringLiteral("ALT + %1").arg(i + 1), this), i, 0);
        keys->addWidget(shortcuts_[i], i, 1);
    }
    grid->addWidget(keys->parentWidget(), 0, 2, 2, 1);

    QGridLayout* types =
        group(QStringLiteral("Diary Type Names"), QStringLiteral("typeNamesGroup"), this);
    for (int i = 0; i < DiaryConfig::kTypes; ++i) {
        types_[i] = field(49, QStringLiteral("typeName%1").arg(i + 1), this);
        types_[i]->setText(shownTypeName(i, config.typeName(i)));
        types->addWidget(label(QStringLiteral("%1:").arg(i + 1), this), i, 0);
        types->addWidget(types_[i], i, 1);
    }
    grid->addWidget(types->parentWidget(), 2, 2, 2, 1);

    auto fontGroup = [&](const QString& title, const QString& key, QComboBox* font, QLineEdit* size,
                         int row) {
        QGridLayout* g = group(title, key, this);
        g->addWidget(font, 0, 0);
        g->addWidget(size, 0, 1);
        size->setMaximumWidth(36);
        grid->addWidget(g->parentWidget(), 3, row);
    };
    fontGroup(QStringLiteral("Font name and size for printing the header"),
              QStringLiteral("headFontGroup"), headFont_, headSize_, 0);
    fontGroup(QStringLiteral("Font name and size for printing the contents"),
              QStringLiteral("bodyFontGroup"), bodyFont_, bodySize_, 1);
    headSize_->setText(QString::number(settings::read(settings::PrintHeadSize)));
    bodySize_->setText(QString::number(settings::read(settings::PrintBodySize)));
    // A font chosen is kept at once, whatever becomes of the sheet.
    connect(headFont_, &QComboBox::textActivated, this,
            [](const QString& f) { settings::write(settings::PrintHeadFont, f); });
    connect(bodyFont_, &QComboBox::textActivated, this,
            [](const QString& f) { settings::write(settings::PrintBodyFont, f); });

    auto* reset = new ui::CCustomButton(QStringLiteral("Reset all to default"), this);
    reset->setObjectName(QStringLiteral("resetButton"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &CTavrinPPOptionsCustom::resetNames);
    grid->addWidget(reset, 4, 2, Qt::AlignRight);
    grid->setRowStretch(5, 1);
}

bool CTavrinPPOptionsCustom::onSetActive() {
    if (!fontsFilled_) {
        fontsFilled_ = true;
        fillFonts();
    }
    return GraphOptionsPage::onSetActive();
}

void CTavrinPPOptionsCustom::fillFonts() {
    QStringList fonts = app::ProgramResources::fontList();
    if (!fonts.contains(QStringLiteral("Arial"))) fonts.prepend(QStringLiteral("Arial"));
    for (auto [box, stored] : {std::pair{headFont_, settings::read(settings::PrintHeadFont)},
                               std::pair{bodyFont_, settings::read(settings::PrintBodyFont)}}) {
        box->addItems(fonts);
        // A stored face no longer installed is still shown as the choice.
        if (box->findText(stored) < 0) box->insertItem(0, stored);
        box->setCurrentIndex(box->findText(stored));
    }
}

void CTavrinPPOptionsCustom::resetNames() {
    for (int i = 0; i < kParameters; ++i) {
        names_[i]->setText(QLatin1String(kParams[i].name));
        enabled_[i]->setChecked(kParams[i].enabled);
    }
    for (int i = 0; i < DiaryConfig::kShortcuts; ++i)
        shortcuts_[i]->setText(shortcutDefault(i));
    for (int i = 0; i < DiaryConfig::kTypes; ++i)
        types_[i]->setText(QLatin1String(kTypeNames[i]));
}

bool CTavrinPPOptionsCustom::validate() {
    return widgets::checkRange(headSize_, 8, 20, this) &&
           widgets::checkRange(bodySize_, 8, 20, this) && GraphOptionsPage::validate();
}

void CTavrinPPOptionsCustom::storeConfiguration(DiaryConfig& config) {
    using widgets::toStored;
    for (int i = 0; i < kParameters; ++i) {
        const bool on = enabled_[i]->isChecked();
        const std::string name = toStored(names_[i]->text());
        if (i < 2) {
            config.setCheckEnabled(i, on);
            config.setCheckName(i, name);
        } else {
            config.setMeasureEnabled(kMeasures[i - 2], on);
            config.setMeasureName(kMeasures[i - 2], name);
        }
    }
    for (int i = 0; i < DiaryConfig::kShortcuts; ++i)
        config.setShortcut(i, toStored(shortcuts_[i]->text()));
    for (int i = 0; i < DiaryConfig::kTypes; ++i)
        config.setTypeName(i, toStored(types_[i]->text()));
}

void CTavrinPPOptionsCustom::storeSettings(OptionsSettings& values) const {
    values.printHeadSize = headSize_->text().trimmed().toInt();
    values.printBodySize = bodySize_->text().trimmed().toInt();
}

} // namespace tavrin::options
