#pragma once
// The body pain map: the skin's back and front pictures with the eighteen areas beside them,
// each at the height of its numbered mark. Editing shows a chooser per area ("N/A" and the six
// pain kinds, the index being the stored value); read-only shows the kind's name.

#include "storage/EntryRecord.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;

namespace tavrin::diary {

class PainMapWidget : public QWidget {
    Q_OBJECT
public:
    enum Mode { Editing, ReadOnly };
    static constexpr int kAreas = EntryRecord::kPainAreas; // 10 on the back, then 8 on the front
    static constexpr int kBackAreas = 10;
    using Values = std::array<std::uint8_t, kAreas>;

    explicit PainMapWidget(Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return mode_; }
    void setValues(const Values& values);
    // The chosen values; an area whose stored value names no kind keeps that value.
    Values values() const;
    // Read-only: no entry shown, every label empty.
    void clearValues();

    static Values of(const EntryRecord& e);
    static void storeInto(const Values& values, EntryRecord& e);

    // "N/A" followed by the six pain kinds in value order.
    static QStringList kindNames();

    // The control of area `area` (0 to 17): a chooser when editing, a label when read-only.
    QComboBox* chooser(int area) const;
    QLabel* label(int area) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    QWidget* makePanel(bool back);

    Mode mode_;
    Values stored_{};
    std::array<QWidget*, kAreas> controls_{};
};

} // namespace tavrin::diary
