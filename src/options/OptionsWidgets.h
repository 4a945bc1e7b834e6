#pragma once
// Small builders shared by the diary's option pages: skinned check boxes and fields, titled
// groups, name fields limited to what the configuration holds, and the conversions between
// stored Windows-1252 texts and colours and what the controls show.

#include <QString>

#include <cstdint>
#include <string>

class QCheckBox;
class QColor;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace tavrin::options::widgets {

QCheckBox* checkBox(const QString& text, const QString& name, QWidget* parent);
// A field of at most `limit` characters (each one byte as stored).
QLineEdit* field(int limit, const QString& name, QWidget* parent);
QComboBox* list(const QString& name, QWidget* parent);
// A titled group with a grid for its controls.
QGridLayout* group(const QString& title, const QString& name, QWidget* parent,
                   QWidget** frame = nullptr);
// A plain text in the skin's label colour.
QWidget* label(const QString& text, QWidget* parent);

QString fromStored(const std::string& cp1252);
std::string toStored(const QString& text);
// Stored colours are 0x00BBGGRR.
QColor colour(std::uint32_t stored);
std::uint32_t stored(const QColor& colour);

// The integer in `edit` when it lies in low..high; otherwise says so, puts the focus there and
// returns false.
bool checkRange(QLineEdit* edit, int low, int high, QWidget* parent);

} // namespace tavrin::options::widgets
