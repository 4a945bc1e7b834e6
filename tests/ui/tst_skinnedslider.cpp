// Range selection with SHIFT on the skinned slider and the "TNSNotifySLC" messages it sends.

#include "TestEnvironment.h"
#include "platform/WindowMessages.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomSliderCtrl.h"

#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <QTest>

#include <limits>

using namespace tavrin;
using platform::NamedMessage;

namespace {

// The slider's parent: records every "TNSNotifySLC" as (low, high, id).
class Parent : public QWidget {
public:
    struct Note {
        int low, high, id;
        bool operator==(const Note& o) const {
            return low == o.low && high == o.high && id == o.id;
        }
    };
    QList<Note> notes;

protected:
    bool event(QEvent* e) override {
        if (auto* m = NamedMessage::match(e, "TNSNotifySLC")) {
            notes.append(
                {int(m->wParam() & 0xFF), int((m->wParam() >> 8) & 0xFF), int(m->lParam())});
            return true;
        }
        return QWidget::event(e);
    }
};

char* toString(const Parent::Note& n) {
    return QTest::toString(QString("(%1, %2, id %3)").arg(n.low).arg(n.high).arg(n.id));
}

} // namespace

class TestSkinnedSlider : public QObject {
    Q_OBJECT

    Parent* parent_ = nullptr;
    ui::CCustomSliderCtrl* slider_ = nullptr;

    void key(QEvent::Type type, Qt::Key k, Qt::KeyboardModifiers mods, bool repeat = false) {
        QKeyEvent e(type, k, mods, QString(), repeat);
        QApplication::sendEvent(slider_, &e);
    }
    QPoint handleCentre() const {
        QStyleOptionSlider opt;
        opt.initFrom(slider_);
        opt.orientation = slider_->orientation();
        opt.minimum = slider_->minimum();
        opt.maximum = slider_->maximum();
        opt.sliderPosition = slider_->sliderPosition();
        opt.sliderValue = slider_->value();
        opt.tickPosition = slider_->tickPosition();
        opt.tickInterval = slider_->tickInterval();
        return slider_->style()
            ->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider_)
            .center();
    }
    int xOf(int value) { // where the handle's centre is at `value`
        const int old = slider_->value();
        slider_->setValue(value);
        const int x = handleCentre().x();
        slider_->setValue(old);
        return x;
    }
    void mouse(QEvent::Type type, QPoint at, Qt::KeyboardModifiers mods) {
        const Qt::MouseButtons buttons =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent e(type, at, slider_->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, mods);
        QApplication::sendEvent(slider_, &e);
    }

private slots:
    void init() {
        ui::ActiveSkin::setCurrent(ui::ActiveSkin::fallback());
        parent_ = new Parent;
        slider_ = new ui::CCustomSliderCtrl(Qt::Horizontal, parent_);
        slider_->setRange(0, 6);
        slider_->setControlId(1042);
        slider_->setGeometry(0, 0, 240, 30);
        slider_->setValue(2);
        parent_->resize(260, 40);
        parent_->show();
        QVERIFY(QTest::qWaitForWindowExposed(parent_));
    }
    void cleanup() { delete parent_; }

    void programmaticMovesSendNothing() {
        slider_->setValue(5);
        QVERIFY(parent_->notes.isEmpty());
        QVERIFY(!slider_->hasSelection());
    }

    void shiftWithKeysExtendsFromTheAnchor() {
        // The first SHIFT step starts the drag; the position reached becomes the anchor.
        key(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(slider_->value(), 3);
        key(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier, true);
        QCOMPARE(parent_->notes, (QList<Parent::Note>{{3, 3, 1042}, {3, 4, 1042}}));
        // Releasing the arrow ends the drag; SHIFT still held keeps the anchor...
        key(QEvent::KeyRelease, Qt::Key_Right, Qt::ShiftModifier);
        key(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
        key(QEvent::KeyRelease, Qt::Key_Left, Qt::ShiftModifier);
        key(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
        key(QEvent::KeyRelease, Qt::Key_Left, Qt::ShiftModifier);
        // ...so going past it turns the range round.
        key(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
        key(QEvent::KeyRelease, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(slider_->value(), 1);
        QCOMPARE(parent_->notes.last(), (Parent::Note{1, 3, 1042}));
        QVERIFY(slider_->hasSelection());
        QCOMPARE(slider_->selectionStart(), 1);
        QCOMPARE(slider_->selectionEnd(), 3);

        // Letting go of SHIFT and stepping without it clears the selection, silently.
        key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
        const int sent = int(parent_->notes.size());
        key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        key(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QVERIFY(!slider_->hasSelection());
        QCOMPARE(parent_->notes.size(), sent);

        // A new SHIFT step starts from a new anchor.
        key(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
        key(QEvent::KeyRelease, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(parent_->notes.last(), (Parent::Note{3, 3, 1042}));
    }

    void releasingShiftMidDragKeepsTheDragUntilItEnds() {
        key(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier); // anchor 3
        key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
        key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, true); // still the same drag
        QCOMPARE(parent_->notes.last(), (Parent::Note{3, 4, 1042}));
        key(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier); // drag over, anchor forgotten
        key(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(parent_->notes.last(), (Parent::Note{5, 5, 1042}));
    }

    void shiftDragWithTheMouse() {
        const QPoint from = handleCentre();
        const int y = from.y();
        mouse(QEvent::MouseButtonPress, from, Qt::ShiftModifier);
        mouse(QEvent::MouseMove, QPoint(xOf(4), y), Qt::ShiftModifier);
        mouse(QEvent::MouseMove, QPoint(xOf(5), y), Qt::ShiftModifier);
        mouse(QEvent::MouseButtonRelease, QPoint(xOf(5), y), Qt::ShiftModifier);
        QCOMPARE(slider_->value(), 5);
        QVERIFY(!parent_->notes.isEmpty());
        QCOMPARE(parent_->notes.last(), (Parent::Note{2, 5, 1042}));
        QCOMPARE(slider_->selectionStart(), 2);
        QCOMPARE(slider_->selectionEnd(), 5);

        // Dragging again without SHIFT drops the selection.
        mouse(QEvent::MouseButtonPress, handleCentre(), Qt::NoModifier);
        mouse(QEvent::MouseMove, QPoint(xOf(1), y), Qt::NoModifier);
        mouse(QEvent::MouseButtonRelease, QPoint(xOf(1), y), Qt::NoModifier);
        QCOMPARE(slider_->value(), 1);
        QVERIFY(!slider_->hasSelection());
    }

    void rangeSetByTheProgramIsSentToo() {
        slider_->setSelection(5, 1);
        QCOMPARE(slider_->selectionStart(), 1);
        QCOMPARE(slider_->selectionEnd(), 5);
        QCOMPARE(parent_->notes, (QList<Parent::Note>{{1, 5, 1042}}));
        QCOMPARE(ui::CCustomSliderCtrl::packRange(1, 5), qintptr(0x0501));
    }

    void widestRangeStillPaints() {
        // Ticks up to the largest int once never ended; a range of millions drew millions.
        slider_->setRange(0, std::numeric_limits<int>::max());
        slider_->setSelection(0, 10);
        const QImage shot = slider_->grab().toImage();
        QVERIFY(!shot.isNull());
        // A short range keeps one tick per value.
        slider_->setRange(0, 6);
        QVERIFY(!slider_->grab().isNull());
    }
};

QTEST_MAIN(TestSkinnedSlider)
#include "tst_skinnedslider.moc"
