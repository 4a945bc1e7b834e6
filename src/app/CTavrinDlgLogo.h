#pragma once
// The start-up window: the program's picture, a progress bar and a status line. Every status
// text shown during the start advances the bar by one step.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace tavrin::app {

class CTavrinDlgLogo : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSteps = 43;
    static constexpr const char* kFirstStatus = "Loading Tavelle Suite...";

    explicit CTavrinDlgLogo(QWidget* parent = nullptr);

    // Shows the window centred on the screen and returns once it is on screen (or after a
    // second, when the window system never says so).
    void showAndWait();
    // Shows `text` and moves the bar one step on.
    void setStatus(const QString& text);

    QString status() const;
    int progress() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* status_;
    QProgressBar* bar_;
};

} // namespace tavrin::app
