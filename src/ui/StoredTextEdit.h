#pragma once
// A several-line field of a record (a contact's address, a recipe's method) that takes no more
// than its limit, counted as stored: in Windows-1252 bytes, each line break as carriage return
// and line feed.

#include <QPlainTextEdit>

#include <string>

namespace tavrin::ui {

class StoredTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    StoredTextEdit(int limit, QWidget* parent = nullptr);

    // The text as stored, and back.
    std::string stored() const;
    void setStored(const std::string& cp1252);

    static std::string toStored(const QString& text);
    static QString fromStored(const std::string& cp1252);

private:
    void clip();

    int limit_;
};

} // namespace tavrin::ui
