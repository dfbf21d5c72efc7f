// The DPI level editor as the sensor page drives it: the row of levels after
// construction, the model's default levels, level colours, the swatch looks,
// the shown level count, the marker and the selected level.

#include "NoticeTestSupport.h"

#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "sensor/SensorDPI.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MySlider.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

const char* const kButtons[8] = {"BlueButton", "BrightRedButton", "RedButton", "YellowButton",
                                 "GreenButton", "PurpleButton", "LightBlueButton", "LightYellowButton"};
const QRect kButtonRects[8] = {{15, 99, 54, 56}, {106, 99, 54, 56}, {197, 99, 54, 56}, {288, 99, 54, 56},
                               {379, 99, 54, 56}, {470, 99, 54, 56}, {561, 99, 54, 56}, {652, 99, 54, 56}};
const QPoint kMarkers[8] = {{27, 154}, {118, 154}, {209, 154}, {300, 154}, {391, 154}, {483, 154}, {573, 154}, {664, 154}};
const QStringList kDefaultColors{"255,0,0", "0,0,255", "0,255,0", "255,255,0", "0,255,255", "255,0,255", "159,0,0", "0,212,252"};

QToolButton* LevelButton(SensorDPI& editor, int level)
{
    return editor.findChild<QToolButton*>(QLatin1String(kButtons[level]));
}

QToolButton* Swatch(SensorDPI& editor, int level)
{
    return editor.findChild<QToolButton*>(QLatin1String(kButtons[level]) + QLatin1Char('A'));
}

QRect SmallSwatch(int level)
{
    return QRect(kButtonRects[level].x() + 2, 141, 50, 12);
}

QRect LargeSwatch(int level)
{
    return QRect(kButtonRects[level].x() + 2 - 8, 147, 66, 14);
}

QStringList Texts(SensorDPI& editor)
{
    QStringList texts;
    for (int i = 0; i < 8; ++i)
        texts << LevelButton(editor, i)->text();
    return texts;
}

// The colour a swatch shows: its style's background colour.
QString SwatchColor(SensorDPI& editor, int level)
{
    const QRegularExpression colour(QStringLiteral("background-color:rgb\\(([0-9,]+)\\)"));
    return colour.match(Swatch(editor, level)->styleSheet()).captured(1);
}

bool SwatchIsLarge(SensorDPI& editor, int level)
{
    return Swatch(editor, level)->styleSheet().contains(QStringLiteral("MaxB.png"));
}

// A configuration whose first model has the given default levels.
class ModelDefaults {
public:
    ModelDefaults(const QByteArray& colors, const QByteArray& grades)
    {
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("[Option]\nButtonColor=255,255,255\n[Drive1]\nSensor=MzMyNw==\n");
        if (!colors.isNull())
            file.write("DPIColor=" + colors + "\n");
        if (!grades.isNull())
            file.write("DPIGrade=" + grades + "\n");
        file.close();
        fixture = new ConfigSettings(path);
        shipped = ConfigSettings::ReplaceInstance(fixture);
    }
    ~ModelDefaults()
    {
        ConfigSettings::ReplaceInstance(shipped);
        delete fixture;
    }

private:
    QTemporaryDir dir;
    ConfigSettings* fixture = nullptr;
    ConfigSettings* shipped = nullptr;
};

} // namespace

class TestSensorDpi : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        DeviceAllInfo info;
        info.modelIndex = 0;
        CurrentDevice::SetInfo(info);
        // As the page calls them: the user's own choices are not sent meanwhile.
        deviceSendEnabled = false;
        sensorPageFilling = false;
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup()
    {
        deviceSendEnabled = false;
        sensorPageFilling = false;
        // The editor's operations never write to the mouse.
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void afterConstructionNoLevelIsSelected()
    {
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));
        SensorDPI editor;
        QCOMPARE(editor.objectName(), QStringLiteral("SensorDPI"));
        QCOMPARE(editor.size(), QSize(728, 194));
        QCOMPARE(Texts(editor), (QStringList{"100", "200", "200", "100", "100", "200", "100", "200"}));
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(LevelButton(editor, i)->geometry(), kButtonRects[i]);
            QVERIFY(!LevelButton(editor, i)->isChecked());
            QCOMPARE(Swatch(editor, i)->geometry(), SmallSwatch(i));
            QVERIFY(!Swatch(editor, i)->isChecked());
            // Red until a level is shown, whatever the level's colour.
            QCOMPARE(SwatchColor(editor, i), QStringLiteral("255,0,0"));
            QCOMPARE(editor.LevelColor(i), kDefaultColors[i]);
        }
        QCOMPARE(editor.findChild<QLabel*>(QStringLiteral("label_8"))->pos(), QPoint(103, 154));
        auto* slider = editor.findChild<MySlider*>(QStringLiteral("horizontalSliderC"));
        QCOMPARE(slider->value(), 50);
        QCOMPARE(slider->minimum(), 50);
        QCOMPARE(slider->maximum(), 32000);
        QVERIFY(!slider->hasTracking());
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("spinBoxA"))->value(), 50);
        auto* count = editor.findChild<MyConmboBox*>(QStringLiteral("ChooseEvent"));
        QCOMPARE(count->count(), 0);
        QCOMPARE(count->maxVisibleItems(), 5);
        QCOMPARE(editor.findChild<QLabel*>(QStringLiteral("label"))->text(), QStringLiteral("DPI级数"));
        QCOMPARE(editor.CurrentLevel(), 1);
        QCOMPARE(editor.LevelCount(), 1);
        QVERIFY(announced.isEmpty());
        for (const QString& picture : NoticeTest::StyleSheetPictures(&editor))
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        editor.SetTitleText(QStringLiteral("DPI levels"));
        QCOMPARE(editor.findChild<QLabel*>(QStringLiteral("label"))->text(), QStringLiteral("DPI levels"));
    }

    void theModelsDefaultLevels_data()
    {
        QTest::addColumn<QByteArray>("colors");
        QTest::addColumn<QByteArray>("grades");
        QTest::addColumn<QStringList>("storedColors");
        QTest::addColumn<QStringList>("texts");
        const QByteArray eight = "400,800,1600,3200,6400,12000,16000,26000";
        const QStringList eightTexts{"400", "800", "1600", "3200", "6400", "12000", "16000", "26000"};
        const QStringList unchangedTexts{"100", "200", "200", "100", "100", "200", "100", "200"};
        const QByteArray all = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24";
        const QStringList allColors{"1,2,3", "4,5,6", "7,8,9", "10,11,12", "13,14,15", "16,17,18", "19,20,21", "22,23,24"};
        QTest::newRow("24 numbers, 8 texts") << all << eight << allColors << eightTexts;
        QTest::newRow("30 numbers use the first 24") << all + ",90,91,92,93,94,95" << eight << allColors << eightTexts;
        QStringList two = kDefaultColors;
        two[0] = "1,2,3";
        two[1] = "4,5,6";
        QTest::newRow("12 numbers colour levels 0 and 1") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12").left(11)
                                                       << eight << two << eightTexts;
        QStringList four = kDefaultColors;
        four[0] = "1,2,3"; four[1] = "4,5,6"; four[2] = "7,8,9"; four[3] = "10,11,12";
        QTest::newRow("12 numbers, four levels") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12") << eight << four << eightTexts;
        // A level whose triple is cut short keeps its colour.
        QTest::newRow("a partial triple") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14") << eight << four << eightTexts;
        // A triple with an item that is no colour number keeps the level's colour.
        QStringList damaged = kDefaultColors;
        damaged[0] = "1,2,3";
        damaged[2] = "7,8,9";
        QTest::newRow("a damaged triple") << QByteArray("1,2,3,4,x,6,7,8,9") << eight << damaged << eightTexts;
        QTest::newRow("a number above 255") << QByteArray("1,2,3,4,256,6,7,8,9") << eight << damaged << eightTexts;
        QTest::newRow("no colours") << QByteArray() << eight << kDefaultColors << eightTexts;
        QTest::newRow("7 texts change no text") << all << QByteArray("400,800,1600,3200,6400,12000,16000")
                                                << allColors << unchangedTexts;
        QTest::newRow("no texts") << all << QByteArray() << allColors << unchangedTexts;
    }

    void theModelsDefaultLevels()
    {
        QFETCH(QByteArray, colors);
        QFETCH(QByteArray, grades);
        QFETCH(QStringList, storedColors);
        QFETCH(QStringList, texts);
        ModelDefaults defaults(colors, grades);
        SensorDPI editor;
        editor.LoadDpiConfig();
        QStringList stored;
        for (int i = 0; i < 8; ++i)
            stored << editor.LevelColor(i);
        QCOMPARE(stored, storedColors);
        QCOMPARE(Texts(editor), texts);
        const bool restyled = texts != QStringList{"100", "200", "200", "100", "100", "200", "100", "200"};
        for (int i = 0; i < 8; ++i) {
            // Shown in the small look in the new colour only when the texts were taken.
            QCOMPARE(SwatchColor(editor, i), restyled ? storedColors[i] : QStringLiteral("255,0,0"));
            QVERIFY(!SwatchIsLarge(editor, i));
            QCOMPARE(Swatch(editor, i)->geometry(), SmallSwatch(i));
        }
    }

    void setLevelColorStoresDecimal_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("orange at 3") << 3 << "#ff8000" << "255,128,0";
        QTest::newRow("cyan at 7") << 7 << "#00d4fc" << "0,212,252";
        QTest::newRow("no hex") << 0 << "#zz10gg" << "0,16,0";
        QTest::newRow("short") << 5 << "#ff" << "255,0,0";
    }

    void setLevelColorStoresDecimal()
    {
        QFETCH(int, level);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        SensorDPI editor;
        editor.SetLevelColor(level, text);
        QCOMPARE(editor.LevelColor(level), stored);
        // Nothing on screen changes until the swatch is restyled.
        QCOMPARE(SwatchColor(editor, level), QStringLiteral("255,0,0"));
        editor.RefreshSwatches(level);
        QCOMPARE(SwatchColor(editor, level), stored);
    }

    void aColourForNoLevelIsDropped()
    {
        SensorDPI editor;
        for (int level : {-1, 8, 100})
            editor.SetLevelColor(level, QStringLiteral("#010203"));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(editor.LevelColor(i), kDefaultColors[i]);
        QVERIFY(editor.LevelColor(8).isEmpty());
    }

    void refreshSwatchesEnlargesOneLevel_data()
    {
        QTest::addColumn<int>("level");
        for (int level : {0, 2, 7, -1, 8})
            QTest::addRow("%d", level) << level;
    }

    void refreshSwatchesEnlargesOneLevel()
    {
        QFETCH(int, level);
        SensorDPI editor;
        editor.SelectLevel(5);
        editor.RefreshSwatches(level);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(SwatchIsLarge(editor, i), i == level);
            QCOMPARE(SwatchColor(editor, i), kDefaultColors[i]);
            // The enlarged swatch keeps the geometry it had: swatch 5 was large.
            if (i != level)
                QCOMPARE(Swatch(editor, i)->geometry(), SmallSwatch(i));
            else
                QCOMPARE(Swatch(editor, i)->geometry(), i == 5 ? LargeSwatch(i) : SmallSwatch(i));
        }
    }

    void showLevelCountShowsTheFirstLevels_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("shown");
        for (int index = 0; index < 8; ++index)
            QTest::addRow("%d", index) << index << index + 1;
        QTest::newRow("8 changes nothing") << 8 << 3;
        QTest::newRow("-1 changes nothing") << -1 << 3;
    }

    void showLevelCountShowsTheFirstLevels()
    {
        QFETCH(int, index);
        QFETCH(int, shown);
        SensorDPI editor;
        editor.ShowLevelCount(2);
        editor.ShowLevelCount(index);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(!LevelButton(editor, i)->isHidden(), i < shown);
            QCOMPARE(!Swatch(editor, i)->isHidden(), i < shown);
        }
    }

    void theMarkerGoesUnderTheLevel_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QPoint>("marker");
        for (int position = 1; position <= 8; ++position)
            QTest::addRow("%d", position) << position << kMarkers[position - 1];
        QTest::newRow("0 stays") << 0 << QPoint(103, 154);
        QTest::newRow("9 stays") << 9 << QPoint(103, 154);
    }

    void theMarkerGoesUnderTheLevel()
    {
        QFETCH(int, position);
        QFETCH(QPoint, marker);
        SensorDPI editor;
        editor.MoveMarker(position);
        QCOMPARE(editor.findChild<QLabel*>(QStringLiteral("label_8"))->pos(), marker);
        QCOMPARE(editor.CurrentLevel(), position - 1);
    }

    void selectLevelDrawsTheRowAndAnnouncesTheValue_data()
    {
        QTest::addColumn<int>("level");
        for (int level = 0; level < 8; ++level)
            QTest::addRow("%d", level) << level;
    }

    void selectLevelDrawsTheRowAndAnnouncesTheValue()
    {
        QFETCH(int, level);
        sensorPageFilling = true;
        SensorDPI editor;
        for (int i = 0; i < 8; ++i)
            editor.SetLevelText(i, QString::number(1000 + 100 * i));
        editor.SelectLevel((level + 3) % 8);
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));
        editor.SelectLevel(level);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.first().first().toInt(), 1000 + 100 * level);
        QCOMPARE(editor.findChild<MySlider*>(QStringLiteral("horizontalSliderC"))->value(), 1000 + 100 * level);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(LevelButton(editor, i)->isChecked(), i == level);
            QCOMPARE(LevelButton(editor, i)->geometry(),
                     i == level ? kButtonRects[i].adjusted(-7, -7, 7, 7) : kButtonRects[i]);
            QCOMPARE(LevelButton(editor, i)->styleSheet().contains(QStringLiteral("MaxA.png")), i == level);
            QCOMPARE(SwatchIsLarge(editor, i), i == level);
            QCOMPARE(Swatch(editor, i)->geometry(), i == level ? LargeSwatch(i) : SmallSwatch(i));
            QCOMPARE(SwatchColor(editor, i), kDefaultColors[i]);
        }
    }

    void selectLevelOutsideTheRowDoesNothing()
    {
        SensorDPI editor;
        editor.SelectLevel(2);
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));
        editor.SelectLevel(8);
        editor.SelectLevel(-1);
        QVERIFY(announced.isEmpty());
        QVERIFY(LevelButton(editor, 2)->isChecked());
    }

    void showSelectedLevelDrawsTheWholeRow_data()
    {
        QTest::addColumn<int>("level");
        for (int level = 0; level < 8; ++level)
            QTest::addRow("%d", level) << level;
    }

    void showSelectedLevelDrawsTheWholeRow()
    {
        QFETCH(int, level);
        SensorDPI editor;
        editor.SetLevelText(level, QStringLiteral("2400"));
        editor.ShowSelectedLevel(level);
        QCOMPARE(editor.findChild<QLabel*>(QStringLiteral("label_8"))->pos(), kMarkers[level]);
        QCOMPARE(editor.findChild<MySlider*>(QStringLiteral("horizontalSliderC"))->value(), 2400);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(LevelButton(editor, i)->isChecked(), i == level);
            QCOMPARE(Swatch(editor, i)->isChecked(), i == level);
            QCOMPARE(Swatch(editor, i)->geometry(), i == level ? LargeSwatch(i) : SmallSwatch(i));
            // Every swatch takes its own level's colour, the red of construction gone.
            QCOMPARE(SwatchColor(editor, i), kDefaultColors[i]);
        }
        // Another level is shown in its place, the previous one small again.
        editor.ShowSelectedLevel((level + 1) % 8);
        QVERIFY(!LevelButton(editor, level)->isChecked());
        QCOMPARE(LevelButton(editor, level)->geometry(), kButtonRects[level]);
    }

    void showingALevelChangesNoOtherLevelsText()
    {
        SensorDPI editor;
        for (int i = 0; i < 8; ++i)
            editor.SetLevelText(i, QString::number(400 * (i + 1)));
        editor.ShowSelectedLevel(0);
        // The value loaded for level 3 belongs to level 3, not to the level checked before.
        editor.ShowSelectedLevel(3);
        QCOMPARE(Texts(editor), (QStringList{"400", "800", "1200", "1600", "2000", "2400", "2800", "3200"}));
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("spinBoxA"))->value(), 1600);
    }

    void showSelectedLevelOutsideTheRowChangesNothing()
    {
        SensorDPI editor;
        editor.ShowSelectedLevel(3);
        auto* slider = editor.findChild<MySlider*>(QStringLiteral("horizontalSliderC"));
        slider->blockSignals(true);
        for (int level : {-1, 8}) {
            editor.ShowSelectedLevel(level);
            QVERIFY(LevelButton(editor, 3)->isChecked());
            QCOMPARE(editor.findChild<QLabel*>(QStringLiteral("label_8"))->pos(), kMarkers[3]);
        }
        QVERIFY(!slider->signalsBlocked());
    }

    void aLevelTextThatIsNoNumberLoadsTheMinimum()
    {
        SensorDPI editor;
        editor.SetLevelText(4, QStringLiteral("fast"));
        editor.ShowSelectedLevel(4);
        QCOMPARE(editor.findChild<MySlider*>(QStringLiteral("horizontalSliderC"))->value(), 50);
    }

    void holdingTheSignalsOfTheRowTogether_data()
    {
        QTest::addColumn<bool>("withCountList");
        QTest::newRow("row, slider and number") << false;
        QTest::newRow("row, slider and level-count list") << true;
    }

    void holdingTheSignalsOfTheRowTogether()
    {
        QFETCH(bool, withCountList);
        SensorDPI editor;
        auto hold = [&](bool block) {
            if (withCountList)
                editor.BlockRowSliderAndCountSignals(block);
            else
                editor.BlockRowAndValueSignals(block);
        };
        auto* slider = editor.findChild<MySlider*>(QStringLiteral("horizontalSliderC"));
        auto* number = editor.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));
        auto* counts = editor.findChild<MyConmboBox*>(QStringLiteral("ChooseEvent"));
        for (bool block : {true, false}) {
            hold(block);
            for (int i = 0; i < 8; ++i) {
                QCOMPARE(LevelButton(editor, i)->signalsBlocked(), block);
                QCOMPARE(Swatch(editor, i)->signalsBlocked(), block);
            }
            QCOMPARE(slider->signalsBlocked(), block);
            QCOMPARE(number->signalsBlocked(), block && !withCountList);
            QCOMPARE(counts->signalsBlocked(), block && withCountList);
        }
        // Held, a level checked from outside runs none of its slots: it stays small.
        hold(true);
        LevelButton(editor, 4)->setChecked(true);
        QCOMPARE(LevelButton(editor, 4)->geometry(), kButtonRects[4]);
        hold(false);
        LevelButton(editor, 5)->setChecked(true);
        QCOMPARE(LevelButton(editor, 5)->geometry(), kButtonRects[5].adjusted(-7, -7, 7, 7));
    }

    void theSwatchHandlingForOneLevel_data()
    {
        QTest::addColumn<int>("level");
        for (int level : {0, 3, 7, -1, 8})
            QTest::addRow("%d", level) << level;
    }

    void theSwatchHandlingForOneLevel()
    {
        QFETCH(int, level);
        sensorPageFilling = true;
        SensorDPI editor;
        for (int i = 0; i < 8; ++i)
            editor.SetLevelText(i, QString::number(1000 + 100 * i));
        editor.SelectLevel(2);
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));
        editor.RunSwatchToggled(level);
        const bool isLevel = level >= 0 && level < 8;
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(SwatchIsLarge(editor, i), i == level);
            QCOMPARE(LevelButton(editor, i)->isChecked(), isLevel ? i == level : i == 2);
        }
        QCOMPARE(editor.findChild<MySlider*>(QStringLiteral("horizontalSliderC"))->value(),
                 isLevel ? 1000 + 100 * level : 1200);
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("spinBoxA"))->value(), isLevel ? 1000 + 100 * level : 1200);
        QVERIFY(announced.isEmpty());
    }

    void theNumberCanBeHidden()
    {
        SensorDPI editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto* number = editor.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));
        const QRect place = number->geometry();
        editor.SetSpinVisible(false);
        QVERIFY(!number->isVisible());
        editor.SetSpinVisible(true);
        QVERIFY(number->isVisible());
        QCOMPARE(number->geometry(), place);
    }

    void theLevelCountList()
    {
        SensorDPI editor;
        auto* list = editor.findChild<MyConmboBox*>(QStringLiteral("ChooseEvent"));
        QSignalSpy changed(list, SIGNAL(currentIndexChanged(int)));
        QVERIFY(!editor.BlockLevelCountSignals(true));
        for (int i = 0; i < 5; ++i)
            editor.InsertLevelCountItem(i, QString::number(i + 1));
        QVERIFY(editor.BlockLevelCountSignals(false));
        QVERIFY(changed.isEmpty());
        QCOMPARE(list->count(), 5);
        editor.BlockLevelCountSignals(true);
        editor.SetLevelCountIndex(3);
        editor.BlockLevelCountSignals(false);
        QVERIFY(changed.isEmpty());
        QCOMPARE(list->currentText(), QStringLiteral("4"));
        QCOMPARE(editor.LevelCountIndex(), 3);
        editor.ClearLevelCountItems();
        QCOMPARE(list->count(), 0);
        QVERIFY(changed.isEmpty());
        QVERIFY(!list->signalsBlocked());
    }

    void theSliderOperations()
    {
        SensorDPI editor;
        auto* slider = editor.findChild<MySlider*>(QStringLiteral("horizontalSliderC"));
        editor.SetSliderMinimum(100);
        editor.SetSliderMaximum(26000);
        editor.SetSliderValue(30000);
        QCOMPARE(slider->value(), 26000);
        QVERIFY(!editor.BlockSliderSignals(true));
        editor.SetSliderEnabled(false);
        QVERIFY(!slider->isEnabled());
        editor.EnableSlider();
        QVERIFY(slider->isEnabled());
        QVERIFY(!slider->signalsBlocked());
        editor.SetSpinValue(51200);
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("spinBoxA"))->value(), 51200);
    }
};

QTEST_MAIN(TestSensorDpi)
#include "tst_sensordpi.moc"
