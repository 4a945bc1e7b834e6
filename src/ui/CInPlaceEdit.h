#pragma once
// The text editor that opens over a list cell. Enter keeps the text, Escape cancels, and
// losing the focus keeps it. Integer cells take only digits and "-", decimal cells also ".";
// the filter sits in a validator, so pasted text obeys it too.

#include <QLineEdit>

namespace tavrin::ui {

class CInPlaceEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Mode { Any, Integers, Decimals };

    CInPlaceEdit(QWidget* parent, const QString& text, Mode mode);

    bool isFinished() const { return finished_; }

signals:
    // Emitted once; the text is then in text().
    void editEnded(bool cancelled);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void finish(bool cancelled);
    bool finished_ = false;
};

} // namespace tavrin::ui
