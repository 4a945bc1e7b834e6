#pragma once
// Caption strip of the floating panels: a horizontal gradient from the active caption colour
// (the palette's highlight, the skin's selection colour) half way to the window colour, with
// its text.
//
// A bar given a rest message (the panel title bars do) posts it to its receiver when the mouse
// has rested over the bar for kRestMs while the panel is collapsed.

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tavrin::ui {

class CCustomTitleBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRestMs = 400; // how long the mouse must rest before the bar reacts

    explicit CCustomTitleBar(const QString& text = QString(), QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);

    // The two ends of the gradient.
    QColor captionColor() const;
    QColor gradientColor() const;

    // Where the rest message goes (the main window).
    void setReceiver(QObject* receiver) { receiver_ = receiver; }
    QObject* receiver() const { return receiver_; }
    // The panel tells its bar whether it is collapsed; panels start collapsed.
    void setCollapsed(bool collapsed) { collapsed_ = collapsed; }
    bool isCollapsed() const { return collapsed_; }
    QString restMessage() const { return restMessage_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void setRestMessage(const QString& name) { restMessage_ = name; }

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void rested();

    QString text_;
    QString restMessage_;
    QPointer<QObject> receiver_;
    bool collapsed_ = true;
    QTimer rest_;
};

} // namespace tavrin::ui
