// The event list's builders: where inserted keys, clicks and pauses land
// for each current row, what a deletion removes, and how items look.

#include "macro/MacroEventList.h"

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QtTest>

namespace {

// "vA" a press of A, "^A" its release, anything with "ms" a pause.
void Fill(MacroEventList& list, const QString& items)
{
    list.Clear();
    for (const QString& token : items.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (token.startsWith(QLatin1Char('v')))
            list.Append({token.mid(1), false});
        else if (token.startsWith(QLatin1Char('^')))
            list.Append({token.mid(1), true});
        else
            list.Append({token, false});
    }
}

QString Describe(const MacroEventList& list)
{
    QStringList tokens;
    for (const MacroEvent& e : list.Events())
        tokens << (e.IsDelay() ? e.text : (e.release ? QStringLiteral("^") : QStringLiteral("v")) + e.text);
    return tokens.join(QLatin1Char(' '));
}

QImage IconImage(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

QString PictureFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/Macro/");
}

} // namespace

class TestMacroEventList : public QObject {
    Q_OBJECT

private:
    QListWidget* widget = nullptr;
    MacroEventList* list = nullptr;

private slots:
    void init()
    {
        widget = new QListWidget;
        list = new MacroEventList(widget, PictureFolder());
    }

    void cleanup()
    {
        delete list;
        delete widget;
    }

    void insertKeyWithDelay_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("press");
        QTest::addColumn<QString>("after");
        QTest::newRow("last row: behind a pause")
            << "vA 10ms ^A" << 2 << true << "vA 10ms ^A 10ms vB";
        QTest::newRow("first row: after its pause")
            << "vA 10ms ^A" << 0 << true << "vA 10ms vB 10ms ^A";
        QTest::newRow("a pause: right behind it")
            << "vA 20ms ^A 30ms vC" << 1 << false << "vA 20ms ^B 10ms ^A 30ms vC";
        QTest::newRow("a key in the middle: behind its pause")
            << "vA 20ms ^A 30ms vC" << 2 << true << "vA 20ms ^A 30ms vB 10ms vC";
        QTest::newRow("no current row: at the end behind a pause")
            << "vA 10ms ^A" << -1 << true << "vA 10ms ^A 10ms vB";
        QTest::newRow("empty list: the key alone") << "" << -1 << true << "vB";
        QTest::newRow("one item: behind a pause") << "vA" << 0 << false << "vA 10ms ^B";
    }

    void insertKeyWithDelay()
    {
        QFETCH(QString, before);
        QFETCH(int, current);
        QFETCH(bool, press);
        QFETCH(QString, after);
        Fill(*list, before);
        widget->setCurrentRow(current);
        QListWidgetItem* const currentItem = widget->currentItem();
        list->InsertKeyWithDelay(QStringLiteral("B"), press);
        QCOMPARE(Describe(*list), after);
        QCOMPARE(widget->currentItem(), currentItem);
    }

    void insertMouseClick_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty list") << "" << -1 << "vL 10ms ^L";
        QTest::newRow("no current row") << "vA 10ms ^A" << -1 << "vA 10ms ^A 10ms vL 10ms ^L";
        QTest::newRow("last row") << "vA 10ms ^A" << 2 << "vA 10ms ^A 10ms vL 10ms ^L";
        QTest::newRow("first row") << "vA 10ms ^A" << 0 << "vA 10ms vL 10ms ^L 10ms ^A";
        QTest::newRow("key in the middle") << "vA 20ms ^A 30ms vC" << 2 << "vA 20ms ^A 10ms vL 10ms ^L 30ms vC";
        QTest::newRow("pause") << "vA 20ms ^A 30ms vC" << 3 << "vA 20ms ^A 30ms vL 10ms ^L 10ms vC";
        QTest::newRow("one item") << "vA" << 0 << "vA 10ms vL 10ms ^L";
    }

    void insertMouseClick()
    {
        QFETCH(QString, before);
        QFETCH(int, current);
        QFETCH(QString, after);
        Fill(*list, before);
        widget->setCurrentRow(current);
        list->InsertMouseClick(QStringLiteral("L"));
        QCOMPARE(Describe(*list), after);
        QCOMPARE(widget->currentRow(), current);
    }

    void setAdjacentDelay_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("pause before the key replaced") << "vA 10ms vB" << 2 << "vA 300ms vB" << 1;
        QTest::newRow("selected pause replaced") << "vA 10ms vB" << 1 << "vA 300ms vB" << 1;
        QTest::newRow("pause made between two keys") << "vA ^A vB" << 1 << "vA 300ms ^A vB" << 1;
        QTest::newRow("first row: nothing") << "vA 10ms vB" << 0 << "vA 10ms vB" << 0;
    }

    void setAdjacentDelay()
    {
        QFETCH(QString, before);
        QFETCH(int, current);
        QFETCH(QString, after);
        QFETCH(int, currentAfter);
        Fill(*list, before);
        widget->setCurrentRow(current);
        list->SetAdjacentDelay(300);
        QCOMPARE(Describe(*list), after);
        QCOMPARE(widget->currentRow(), currentAfter);
    }

    void deleteCurrent_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("after");
        const QString five = "vA 20ms ^A 30ms vC";
        QTest::newRow("a pause with the key before it") << five << 3 << true << "vA 20ms vC";
        QTest::newRow("a key with the pause after it") << five << 2 << true << "vA 20ms vC";
        QTest::newRow("the last key with the pause before it") << five << 4 << true << "vA 20ms ^A";
        QTest::newRow("the first key") << five << 0 << true << "^A 30ms vC";
        QTest::newRow("three items are emptied") << "vA 10ms ^A" << 1 << true << "";
        QTest::newRow("three items without a current row") << "vA 10ms ^A" << -1 << true << "";
        QTest::newRow("no current row") << five << -1 << false << five;
    }

    void deleteCurrent()
    {
        QFETCH(QString, before);
        QFETCH(int, current);
        QFETCH(bool, changed);
        QFETCH(QString, after);
        Fill(*list, before);
        widget->setCurrentRow(current);
        QCOMPARE(list->DeleteCurrent(), changed);
        QCOMPARE(Describe(*list), after);
    }

    void appendKeyMakesItCurrent()
    {
        Fill(*list, "vA 10ms");
        list->AppendKey(QStringLiteral("A"), false);
        QCOMPARE(Describe(*list), QStringLiteral("vA 10ms ^A"));
        QCOMPARE(widget->currentRow(), 2);
    }

    // The row before the new pause becomes current; a pause in an empty list
    // leaves no current row.
    void appendDelayCurrentIsTheRowBefore()
    {
        Fill(*list, "vA");
        list->AppendDelay(12.4);
        QCOMPARE(Describe(*list), QStringLiteral("vA 12ms"));
        QCOMPARE(widget->currentRow(), 0);
        list->Clear();
        list->AppendDelay(7);
        QCOMPARE(Describe(*list), QStringLiteral("7ms"));
        QCOMPARE(widget->currentRow(), -1);
    }

    void delayText_data()
    {
        QTest::addColumn<double>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("10") << 10.0 << "10ms";
        QTest::newRow("rounded") << 10.6 << "11ms";
        QTest::newRow("large") << 65535.0 << "65535ms";
    }

    void delayText()
    {
        QFETCH(double, ms);
        QFETCH(QString, text);
        QCOMPARE(MacroEventList::DelayText(ms), text);
    }

    // Press and pause have item type 0, release 1; each has its own picture.
    void itemsCarryTypeAndPicture()
    {
        Fill(*list, "vA 10ms ^A");
        QCOMPARE(widget->item(0)->type(), 0);
        QCOMPARE(widget->item(1)->type(), 0);
        QCOMPARE(widget->item(2)->type(), 1);
        const char* pictures[] = {"MacroDown.png", "MacroTime.png", "MacroUp.png"};
        for (int row = 0; row < 3; ++row) {
            const QImage expected = IconImage(QIcon(PictureFolder() + pictures[row]));
            QVERIFY(!expected.isNull());
            QCOMPARE(IconImage(widget->item(row)->icon()), expected);
        }
    }

    void delayIsToldByItsText()
    {
        QVERIFY(MacroEvent({QStringLiteral("10ms"), false}).IsDelay());
        QVERIFY(MacroEvent({QStringLiteral("abcms"), false}).IsDelay());
        QVERIFY(!MacroEvent({QStringLiteral("10MS"), false}).IsDelay());
        QVERIFY(!MacroEvent({QStringLiteral("M"), false}).IsDelay());
    }
};

QTEST_MAIN(TestMacroEventList)
#include "tst_macroeventlist.moc"
