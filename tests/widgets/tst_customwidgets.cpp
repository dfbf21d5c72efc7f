#include "widgets/MyButton.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MyLineEdit.h"
#include "widgets/MySlider.h"
#include "widgets/MyToolButton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QtTest>

namespace {

constexpr QEvent::Type kSliderPressed = static_cast<QEvent::Type>(QEvent::User + 1);

// Parent that counts the events a slider sends it after a press.
class PressListener : public QWidget {
public:
    int pressedEvents = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == kSliderPressed)
            ++pressedEvents;
        return QWidget::event(event);
    }
};

// Parent that records every key press that reaches it.
class KeyListener : public QDialog {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        keys.append(event->key());
        QDialog::keyPressEvent(event);
    }
};

void SendPress(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

// Columns of the edit field where the two pictures differ: where the text was drawn.
QPair<int, int> InkColumns(const QImage& withText, const QImage& withoutText, const QRect& field)
{
    int first = -1;
    int last = -1;
    for (int x = field.left(); x <= field.right(); ++x) {
        for (int y = field.top(); y <= field.bottom(); ++y) {
            if (withText.pixel(x, y) != withoutText.pixel(x, y)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

QRect EditField(MyConmboBox& box)
{
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = box.isEditable();
    return box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                       &box);
}

QImage Picture(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestCustomWidgets : public QObject {
    Q_OBJECT
private slots:
    void sliderJumpsToThePressedPosition_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("0..100, 200 px, middle of the left half") << 0 << 100 << 200 << 50 << 25;
        QTest::newRow("0..100, 200 px, last pixel is truncated") << 0 << 100 << 200 << 199 << 99;
        QTest::newRow("10..255, 150 px, middle") << 10 << 255 << 150 << 75 << 132;
        QTest::newRow("10..255, 150 px, left edge gives the minimum") << 10 << 255 << 150 << 0 << 10;
        QTest::newRow("10..255, 150 px, left of the groove") << 10 << 255 << 150 << 3 << 14;
        QTest::newRow("DPI editor range, 561 px") << 50 << 32000 << 561 << 280 << 15996;
    }

    // Real pointer presses on a shown slider, as the DPI editor gets them.
    void sliderJumpsToThePressedPosition()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, width);
        QFETCH(int, x);
        QFETCH(int, expected);

        PressListener parent;
        parent.resize(width + 20, 60);
        auto* slider = new MySlider(&parent);
        slider->setOrientation(Qt::Horizontal);
        slider->setRange(minimum, maximum);
        slider->setPageStep(1);
        slider->setTracking(false);
        slider->setGeometry(10, 10, width, 25);
        slider->setValue(expected == maximum ? minimum : maximum);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));

        QSignalSpy changed(slider, &QSlider::valueChanged);
        QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 12));
        QCOMPARE(slider->value(), expected);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).toInt(), expected);
        QCOMPARE(parent.pressedEvents, 1);
        QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 12));
        QCOMPARE(slider->value(), expected);
    }

    void sliderWithoutWidthIgnoresThePress()
    {
        PressListener parent;
        auto* slider = new MySlider(&parent);
        slider->setOrientation(Qt::Horizontal);
        slider->setRange(10, 255);
        slider->setValue(100);
        slider->setGeometry(0, 0, 0, 25);
        QCOMPARE(slider->width(), 0);

        QSignalSpy changed(slider, &QSlider::valueChanged);
        SendPress(slider, QPoint(5, 5));
        SendPress(slider, QPoint(0, 5));
        QCOMPARE(slider->value(), 100);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(parent.pressedEvents, 0);
    }

    void sliderWithoutParentStillMoves()
    {
        MySlider slider;
        slider.setOrientation(Qt::Horizontal);
        slider.setRange(0, 100);
        slider.resize(200, 25);
        SendPress(&slider, QPoint(50, 5));
        QCOMPARE(slider.value(), 25);
    }

    void comboBoxCentresItsEntryUnlessEditable_data()
    {
        QTest::addColumn<bool>("editable");
        QTest::newRow("closed face centres the entry") << false;
        QTest::newRow("editable box keeps the ordinary left-aligned text") << true;
    }

    void comboBoxCentresItsEntryUnlessEditable()
    {
        QFETCH(bool, editable);
        MyConmboBox box;
        box.setEditable(editable);
        box.addItems({"8000Hz", ""});
        box.resize(300, 30);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));

        box.setCurrentIndex(0);
        const QImage withText = Picture(box);
        box.setCurrentIndex(1);
        const QImage withoutText = Picture(box);

        const QRect field = EditField(box);
        const QPair<int, int> ink = InkColumns(withText, withoutText, field);
        QVERIFY2(ink.first >= 0, "the entry's text was not drawn");
        const int inkCentre = (ink.first + ink.second) / 2;
        if (editable) {
            QVERIFY2(ink.first - field.left() < 12,
                     qPrintable(QString("text starts at %1 in %2..%3")
                                    .arg(ink.first).arg(field.left()).arg(field.right())));
        } else {
            QVERIFY2(qAbs(inkCentre - field.center().x()) <= 3,
                     qPrintable(QString("text centre %1, field centre %2")
                                    .arg(inkCentre).arg(field.center().x())));
        }
    }

    void comboBoxRemembersTheEntryShownAtThePress()
    {
        MyConmboBox box;
        box.addItems({"Profile 1", "Profile 2", "Profile 3"});
        box.resize(150, 26);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.PressedIndex(), 0);

        box.setCurrentIndex(2);
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(20, 13));
        QCOMPARE(box.PressedIndex(), 2);
        QTRY_VERIFY(box.view()->isVisible());  // the list still opens as usual
        box.hidePopup();

        // The user picks another entry; the one shown at the press stays known.
        box.setCurrentIndex(0);
        QCOMPARE(box.PressedIndex(), 2);
    }

    void toolButtonTakesTheChoiceOnThePress()
    {
        MyToolButton button;
        button.setCheckable(true);
        button.resize(60, 30);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QAbstractButton::clicked);

        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toBool(), false);
        QVERIFY(button.isChecked());
        QVERIFY(!button.isDown());

        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);

        // A second click keeps it checked: it does not toggle.
        QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, QPoint(), 600);
        QCOMPARE(clicked.count(), 2);
        QVERIFY(button.isChecked());
    }

    void toolButtonDoubleClickEndsWithClickedTrue()
    {
        MyToolButton button;
        button.setCheckable(true);
        button.resize(60, 30);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        QSignalSpy doubled(&button, &MyToolButton::doubleClicked);

        // Through the window, so the platform layer makes the double click of two presses.
        QTest::mouseDClick(button.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                           button.rect().center());
        QList<bool> seen;
        for (const QList<QVariant>& arguments : clicked)
            seen.append(arguments.at(0).toBool());
        QVERIFY2(seen.size() >= 2, qPrintable(QString::number(seen.size())));
        QCOMPARE(seen.first(), false);
        QCOMPARE(seen.last(), true);
        QCOMPARE(seen.count(true), 1);
        QVERIFY(button.isChecked());
        QCOMPARE(doubled.count(), 0);
    }

    void toolButtonIgnoresOtherButtons_data()
    {
        QTest::addColumn<int>("mouseButton");
        QTest::newRow("right") << int(Qt::RightButton);
        QTest::newRow("middle") << int(Qt::MiddleButton);
    }

    void toolButtonIgnoresOtherButtons()
    {
        QFETCH(int, mouseButton);
        const auto which = static_cast<Qt::MouseButton>(mouseButton);
        MyToolButton button;
        button.setCheckable(true);
        button.resize(60, 30);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QAbstractButton::clicked);

        QTest::mouseClick(&button, which);
        QTest::mouseDClick(&button, which, Qt::NoModifier, QPoint(), 600);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!button.isChecked());
    }

    void lineEditIgnoresTypingAndKeepsKeysFromItsDialog()
    {
        KeyListener dialog;
        auto* edit = new MyLineEdit(&dialog);
        auto* ok = new QPushButton("OK", &dialog);
        ok->setDefault(true);
        ok->move(0, 40);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        edit->setText("CTRL + A");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());

        QTest::keyClicks(edit, "xyz");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Escape);

        QCOMPARE(edit->text(), QString("CTRL + A"));
        QVERIFY(dialog.keys.isEmpty());
        QVERIFY(dialog.isVisible());
        QCOMPARE(accepted.count(), 0);
        QCOMPARE(rejected.count(), 0);

        // Code still sets what the field shows.
        edit->setText("ALT + F4");
        QCOMPARE(edit->text(), QString("ALT + F4"));
    }

    void buttonShowsAPointingHandWhileThePointerIsOver()
    {
        QWidget window;
        window.resize(300, 100);
        auto* button = new MyButton(&window);
        button->setText("Windows mouse settings");
        button->setGeometry(50, 30, 200, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseMove(window.windowHandle(), QPoint(10, 10));
        QTest::mouseMove(window.windowHandle(), QPoint(100, 40));
        QTRY_COMPARE(button->cursor().shape(), Qt::PointingHandCursor);

        QTest::mouseMove(window.windowHandle(), QPoint(100, 80));
        QTRY_COMPARE(button->cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(TestCustomWidgets)
#include "tst_customwidgets.moc"
