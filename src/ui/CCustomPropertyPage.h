#pragma once
// One page of a CCustomPropertySheet, painted in the skin's sheet colour. The sheet asks the
// page before it leaves it (a page may refuse, e.g. while its input is invalid) and tells it
// when it becomes current and when the sheet is confirmed or cancelled.

#include <QWidget>

namespace tavrin::ui {

class CCustomPropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit CCustomPropertyPage(const QString& title = QString(), QWidget* parent = nullptr);

    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    // The page becomes the current one. Return false to refuse (the sheet stays where it was).
    virtual bool onSetActive() { return true; }
    // The page is about to be left, or the sheet confirmed. Return false to stay on it.
    virtual bool onKillActive() { return true; }
    // The sheet was confirmed (every page that was shown is told) or cancelled.
    virtual void onOK() {}
    virtual void onCancel() {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
};

} // namespace tavrin::ui
