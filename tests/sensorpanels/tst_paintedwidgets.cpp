// The painted widgets: the turning picture and the curve plot render to an
// image with their content where it belongs.

#include "widgets/CurvePlotWidget.h"
#include "widgets/RotatableWidget.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QImage Render(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

bool IsYellow(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) < 60 && qAlpha(pixel) > 200;
}

// A picture whose top half is red and bottom half blue.
QString TwoColourPicture(const QTemporaryDir& dir)
{
    QImage picture(40, 40, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 40, 20, Qt::red);
    painter.end();
    const QString path = dir.filePath(QStringLiteral("two.png"));
    picture.save(path);
    return path;
}

// A pointer move with the left button held, straight to the widget.
void DragTo(QWidget* widget, const QPoint& position)
{
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class TestPaintedWidgets : public QObject {
    Q_OBJECT
private slots:
    void theAngleIsKeptWithinATurn_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("stored");
        QTest::newRow("360") << 360 << 0;
        QTest::newRow("-90") << -90 << 270;
        QTest::newRow("725") << 725 << 5;
        QTest::newRow("-30") << -30 << 330;
        QTest::newRow("390") << 390 << 30;
    }

    void theAngleIsKeptWithinATurn()
    {
        QFETCH(int, set);
        QFETCH(int, stored);
        RotatableWidget widget;
        widget.setAngle(set);
        QCOMPARE(widget.angle(), stored);
    }

    void theSizeHintGrowsWithTheTurn()
    {
        RotatableWidget widget;
        QCOMPARE(widget.sizeHint(), QSize(-1, -1));
        widget.setAngle(45);
        QVERIFY(!widget.sizeHint().isValid());
        // With a layout whose plain hint is 100 x 50.
        auto* layout = new QVBoxLayout(&widget);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* inner = new QWidget;
        inner->setFixedSize(100, 50);
        layout->addWidget(inner);
        widget.setAngle(0);
        QCOMPARE(widget.sizeHint(), QSize(100, 50));
        widget.setAngle(90);
        QCOMPARE(widget.sizeHint(), QSize(50, 100));
        widget.setAngle(45);
        QCOMPARE(widget.sizeHint(), QSize(106, 106));
        QCOMPARE(widget.minimumSizeHint(), QSize(106, 106));
    }

    void thePictureTurnsAboutTheCentre()
    {
        QTemporaryDir dir;
        RotatableWidget widget;
        widget.resize(40, 40);
        widget.setPicturePath(TwoColourPicture(dir));
        QImage image = Render(&widget);
        QCOMPARE(QColor(image.pixel(20, 5)), QColor(Qt::red));
        QCOMPARE(QColor(image.pixel(20, 35)), QColor(Qt::blue));
        // Half a turn puts the red half at the bottom.
        widget.setAngle(180);
        image = Render(&widget);
        QCOMPARE(QColor(image.pixel(20, 35)), QColor(Qt::red));
        QCOMPARE(QColor(image.pixel(20, 5)), QColor(Qt::blue));
        // A quarter turn clockwise puts it on the right.
        widget.setAngle(90);
        image = Render(&widget);
        QCOMPARE(QColor(image.pixel(35, 20)), QColor(Qt::red));
        QCOMPARE(QColor(image.pixel(5, 20)), QColor(Qt::blue));
    }

    void aMissingPictureDrawsNothingButVisibleChildrenTurn()
    {
        RotatableWidget widget;
        widget.resize(60, 60);
        widget.setPicturePath(QStringLiteral("/nonexistent/picture.png"));
        auto* child = new QWidget(&widget);
        child->setGeometry(0, 0, 20, 20);
        child->setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, Qt::green);
        child->setPalette(palette);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.setAngle(180);
        QImage image(widget.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        // Only the parent's own painting: the turned child lands bottom right.
        widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        QCOMPARE(QColor(image.pixel(50, 50)), QColor(Qt::green));
        QCOMPARE(qAlpha(image.pixel(30, 30)), 0);
        child->hide();
        image.fill(Qt::transparent);
        widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        QCOMPARE(qAlpha(image.pixel(50, 50)), 0);
    }

    void theCurvePointsAreWhereTheDataPutsThem()
    {
        CurvePlotWidget plot;
        plot.resize(721, 381);
        const QList<QPointF> points = plot.points();
        QCOMPARE(points.size(), 8);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(points[i].x(), 1000.0 * i);
            QVERIFY(points[i].y() >= 10 && points[i].y() <= 59);
            QCOMPARE(points[i].y(), double(qRound(points[i].y())));
        }
        // The pixel mapping leaves the 80 px margin on each side.
        QCOMPARE(plot.DataToPixel(QPointF(0, 0)), QPointF(80, 301));
        QCOMPARE(plot.DataToPixel(QPointF(7000, 70)), QPointF(641, 80));
        QCOMPARE(plot.PixelToData(QPointF(641, 80)), QPointF(7000, 70));
        const QImage image = Render(&plot);
        for (const QPointF& point : points) {
            const QPoint centre = plot.DataToPixel(point).toPoint();
            QVERIFY2(IsYellow(image.pixel(centre + QPoint(3, 3))), qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
        }
        // The white axes run along the bottom and left of the plot area.
        QCOMPARE(QColor(image.pixel(360, 301)).rgb(), QColor(Qt::white).rgb());
        QCOMPARE(QColor(image.pixel(80, 150)).rgb(), QColor(Qt::white).rgb());
        // Outside the margins, left of the labels, nothing is drawn.
        QCOMPARE(qAlpha(image.pixel(5, 5)), 0);
    }

    void hoveringShowsTheValueLabelAndDraggingStaysOff()
    {
        CurvePlotWidget plot;
        plot.resize(721, 381);
        plot.setPoints({{0, 20}, {1000, 30}, {2000, 40}, {3000, 50}, {4000, 40}, {5000, 30}, {6000, 20}, {7000, 10}});
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        const QPoint third = plot.DataToPixel(QPointF(3000, 50)).toPoint();
        const QImage before = Render(&plot);
        QTest::mouseMove(&plot, third);
        QTRY_COMPARE(plot.hoverIndex(), 3);
        const QImage hovered = Render(&plot);
        // The label box stands above the point: dark where the plot was open.
        const QPoint inLabel(third.x() - 70, third.y() - 95);
        QVERIFY(before.pixel(inLabel) != hovered.pixel(inLabel));
        // With dragging off a press moves nothing.
        QTest::mousePress(&plot, Qt::LeftButton, Qt::NoModifier, third);
        DragTo(&plot, third + QPoint(0, 60));
        QTest::mouseRelease(&plot, Qt::LeftButton, Qt::NoModifier, third + QPoint(0, 60));
        QCOMPARE(plot.points()[3], QPointF(3000, 50));
        QCOMPARE(plot.cursor().shape(), Qt::ArrowCursor);
    }

    void aDraggedPointStaysInTheRange()
    {
        CurvePlotWidget plot;
        plot.resize(721, 381);
        plot.setPoints({{0, 20}, {1000, 30}, {2000, 40}, {3000, 50}, {4000, 40}, {5000, 30}, {6000, 20}, {7000, 10}});
        plot.setDragEnabled(true);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        const QPoint last = plot.DataToPixel(QPointF(7000, 10)).toPoint();
        QTest::mousePress(&plot, Qt::LeftButton, Qt::NoModifier, last);
        DragTo(&plot, QPoint(715, 375));
        QTest::mouseRelease(&plot, Qt::LeftButton, Qt::NoModifier, QPoint(715, 375));
        QCOMPARE(plot.points()[7], QPointF(7000, 0));
    }
};

QTEST_MAIN(TestPaintedWidgets)
#include "tst_paintedwidgets.moc"
