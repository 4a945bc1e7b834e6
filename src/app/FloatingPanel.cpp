#include "app/FloatingPanel.h"

#include "app/ModuleRegistry.h"
#include "platform/WindowMessages.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomTitleBar.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace tavrin::app {

FloatingPanel::FloatingPanel(Panel which, ui::CCustomTitleBar* bar, const QSize& workingSize,
                             QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint), which_(which), main_(mainWindow),
      bar_(bar), working_(workingSize) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    bar_->setParent(this);
    bar_->setObjectName(QStringLiteral("titleBar"));
    bar_->setReceiver(mainWindow);
    bar_->setCollapsed(true);
    bar_->installEventFilter(this);
    bar_->setCursor(Qt::PointingHandCursor);
    layout->addWidget(bar_);

    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("panelBody"));
    auto* bodyLayout = new QVBoxLayout(body_);
    bodyLayout->setContentsMargins(4, 4, 4, 4);
    content_ = ModuleRegistry::createPanelBody(which, body_);
    if (content_)
        bodyLayout->addWidget(content_);
    else
        bodyLayout->addStretch();
    body_->hide();
    layout->addWidget(body_, 1);

    setFixedSize(currentSize());
}

int FloatingPanel::collapsedHeight() const {
    return bar_->sizeHint().height() + 2;
}

QSize FloatingPanel::currentSize() const {
    return expanded_ ? working_ : QSize(working_.width(), collapsedHeight());
}

void FloatingPanel::setExpanded(bool expanded) {
    if (expanded_ == expanded) return;
    expanded_ = expanded;
    bar_->setCollapsed(!expanded);
    body_->setVisible(expanded);
    setFixedSize(currentSize());
    if (expanded)
        if (auto* c = dynamic_cast<PanelContent*>(content_)) c->panelExpanded();
}

QString FloatingPanel::messageBase(Panel panel) {
    switch (panel) {
    case Panel::Navigator:
        return QStringLiteral("TNSNavigator");
    case Panel::Calculator:
        return QStringLiteral("TNSCalculator");
    case Panel::ScratchPad:
        return QStringLiteral("TNSScratchPad");
    }
    return QString();
}

QString FloatingPanel::inMessage() const {
    return messageBase(which_) + QStringLiteral("In");
}
QString FloatingPanel::outMessage() const {
    return messageBase(which_) + QStringLiteral("Out");
}

void FloatingPanel::paintEvent(QPaintEvent*) {
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    QPainter p(this);
    p.fillRect(rect(), skin.dialogBackground());
    p.setPen(skin.frameDark());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void FloatingPanel::changeEvent(QEvent* event) {
    // Losing activation folds the panel again.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && expanded_ && main_)
        platform::WindowMessages::post(main_, outMessage());
    QWidget::changeEvent(event);
}

bool FloatingPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bar_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        bar_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        emit titleClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tavrin::app
