#pragma once
// The fibromyalgia block as rows of ten buttons "1" to "10" in four groups, with the words at
// the ends of each scale, and the five typed values. Editing: a press chooses a button, a press
// on the chosen one takes the choice back. Read-only: the chosen buttons show, nothing changes.

#include "diary/FibroValues.h"

#include <QWidget>

#include <array>

class QAbstractButton;
class QLineEdit;

namespace tavrin::diary {

class FibroRatingsWidget : public QWidget {
    Q_OBJECT
public:
    explicit FibroRatingsWidget(bool readOnly, QWidget* parent = nullptr);

    bool isReadOnly() const { return readOnly_; }

    // Ratings in the order of FibroScale::ratings(); a choice is 0 to 9, or FibroScale::kNone.
    int rating(int index) const { return choices_[std::size_t(index)]; }
    void setRating(int index, int choice);

    // Shows the ratings and values of an entry.
    void showEntry(const EntryRecord& e);
    // No entry: no button chosen, the fields empty.
    void clearEntry();

    // The ratings into the entry's block.
    void storeRatings(EntryRecord& e) const;
    // The five fields as typed; false (and the field that is refused) when one is not valid.
    bool takeValues(FibroValues& out, FibroValues::Field& bad, QString& message) const;

    QAbstractButton* button(int index, int choice) const;
    QLineEdit* field(FibroValues::Field f) const { return fields_[std::size_t(f)]; }

signals:
    void ratingChanged(int index, int choice);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* makeGroup(int group);
    QWidget* makeValues(bool humidity);
    void pressed(int index, int choice, bool checked);

    bool readOnly_;
    std::array<int, FibroScale::kRatings> choices_;
    std::array<std::array<QAbstractButton*, FibroScale::kChoices>, FibroScale::kRatings> buttons_{};
    std::array<QLineEdit*, FibroValues::kFields> fields_{};
};

} // namespace tavrin::diary
