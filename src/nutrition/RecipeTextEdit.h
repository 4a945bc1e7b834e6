#pragma once
// A several-line recipe field (description, preparation method) that takes no more than its
// limit, counted as stored: in Windows-1252 bytes, each line break as carriage return and line
// feed.

#include <QPlainTextEdit>

#include <string>

namespace tavrin::nutrition {

class RecipeTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    RecipeTextEdit(int limit, QWidget* parent = nullptr);

    std::string stored() const;
    void setStored(const std::string& cp1252);

    static std::string toStored(const QString& text);
    static QString fromStored(const std::string& cp1252);

private:
    void clip();

    int limit_;
};

} // namespace tavrin::nutrition
