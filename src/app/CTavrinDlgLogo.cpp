#include "app/CTavrinDlgLogo.h"

#include "app/ProgramResources.h"
#include "storage/ProgramTexts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace tavrin::app {
namespace {
const QColor kTop(0x2F, 0x6F, 0xD0);
const QColor kBottom(0x1C, 0x3F, 0x7A);
const QColor kText(0xFF, 0xFF, 0xFF);
constexpr int kWidth = 460;
constexpr int kHeight = 260;
constexpr int kRadius = 14;
} // namespace

CTavrinDlgLogo::CTavrinDlgLogo(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("splash"));
    setWindowTitle(QString::fromLatin1(texts::kProgramTitle));
    setFixedSize(kWidth, kHeight);
    // Rounded corners by shape: translucency needs a compositor, which many desktops lack.
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, kWidth, kHeight), kRadius, kRadius);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 0, 28, 22);
    layout->setSpacing(6);
    layout->addStretch();
    status_ = new QLabel(QString::fromLatin1(kFirstStatus), this);
    status_->setObjectName(QStringLiteral("status"));
    QPalette pal = status_->palette();
    pal.setColor(QPalette::WindowText, kText);
    status_->setPalette(pal);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progress"));
    bar_->setRange(0, kSteps);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setFixedHeight(10);
    bar_->setStyleSheet(
        QStringLiteral("QProgressBar { border: 1px solid rgba(255,255,255,120); border-radius: 4px;"
                       " background: rgba(255,255,255,40); }"
                       "QProgressBar::chunk { border-radius: 3px; background: white; }"));
    layout->addWidget(status_);
    layout->addWidget(bar_);
}

void CTavrinDlgLogo::showAndWait() {
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
    show();
    raise();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 1000 && !(windowHandle() && windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    repaint();
}

void CTavrinDlgLogo::setStatus(const QString& text) {
    status_->setText(text);
    bar_->setValue(qMin(bar_->maximum(), bar_->value() + 1));
    // Start-up runs without returning to the event loop; let the window show its progress.
    if (isVisible()) {
        status_->repaint();
        bar_->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

QString CTavrinDlgLogo::status() const {
    return status_->text();
}
int CTavrinDlgLogo::progress() const {
    return bar_->value();
}

void CTavrinDlgLogo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, kTop);
    g.setColorAt(1, kBottom);
    p.fillPath(shape, g);
    p.setPen(QPen(kBottom.darker(130), 1));
    p.drawPath(shape);

    // A large faint leaf behind the name, and a small bright one before it.
    QColor faint = kText;
    faint.setAlpha(28);
    ProgramResources::drawEmblem(p, QRectF(width() - 200, -30, 230, 230), faint,
                                 QColor(0, 0, 0, 0));
    ProgramResources::drawEmblem(p, QRectF(28, 40, 56, 56), kText, kTop);

    QFont name = font();
    name.setPixelSize(38);
    name.setBold(true);
    p.setFont(name);
    p.setPen(kText);
    p.drawText(QRect(96, 34, width() - 110, 48), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tavelle Suite"));
    QFont small = font();
    small.setPixelSize(15);
    p.setFont(small);
    QColor soft = kText;
    soft.setAlpha(210);
    p.setPen(soft);
    p.drawText(QRect(98, 82, width() - 110, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Diary and health tracker  \u2022  v3.10"));
}

} // namespace tavrin::app
