#pragma once

#include "device/FlashDataMap.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class ButtonPageForm;
class QButtonGroup;
class QToolButton;
class QVBoxLayout;

// The button-assignment page: one row per mouse button, the function chooser,
// one page per function category, the macro list, the debounce panel, the
// mouse picture with its hotspots and the profile combo. It creates the one
// device worker and stops it again.
//
// The form connects every on_<object>_<signal> slot by name in declaration
// order, so slots are declared in the order in which they must run when one
// signal reaches two of them (on_DPI_6_clicked(bool) before on_DPI_6_clicked(),
// on_DPI_4_clicked() before on_DPI_4_clicked(bool)).
class Buttoninterface : public QWidget {
    Q_OBJECT
public:
    explicit Buttoninterface(QWidget* parent = nullptr);
    ~Buttoninterface() override;

    // How long the destructor keeps the event loop going for a pass that is
    // still running before it gives up on it.
    static constexpr int kWorkerStopBoundMs = 10000;

    // Closes the function chooser: the idle page in the function area, the
    // debounce panel in the category area, the row list on top.
    void ReturnToIdleView();

    // The form's controls, for the page's own code and its tests.
    ButtonPageForm* Form() const { return form; }
    // driver_sensor.h's constants as the page read them.
    const QStringList& SensorDefineNames() const { return sensorDefineNames; }
    const QVector<qint32>& SensorDefineValues() const { return sensorDefineValues; }
    // The page's copy of the buttons' assignments (type, code, extra).
    const QList<int>& MirrorTypes() const { return types; }
    const QList<int>& MirrorCodes() const { return codes; }
    const QList<int>& MirrorExtras() const { return extras; }

public slots:
    void SlotAllLanguage(int index);
    // Slots that no object of the form names: nothing triggers them.
    void on_MultiMedia_clicked();
    void on_RightKey_2_clicked();
    void on_LeftKey_clicked();
    void on_Advance_clicked();
    void on_Back_clicked();
    void on_DPI_clicked();
    void on_stackedWidget_currentChanged(int index);
    void on_stackedWidget_2_currentChanged(int index);
    void on_checkBox_clicked();
    void on_DPI_4_clicked(bool checked);
    void SlotUpDataButtonUIButton(FlashDataMap DataMap);
    void SlotUpDataButtonUIB(FlashDataMap DataMap);
    void SlotMouseIndex(int index);
    void on_ProjectChoose_currentIndexChanged(int index);
    void on_pushButton_clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void InitButtonGroups();
    void BuildSensorDefineTable();
    void ApplyStyleSheets();
    // Unchecks every button of an exclusive group.
    static void UncheckGroup(QButtonGroup* group);
    // Config.ini Drive<n>/KeyNumber of the current model, within the record's
    // sixteen button headers.
    static int KeyNumberOfCurrentModel();
    // Fills types, codes and extras from the first count button headers.
    void RebuildMirror(const FlashDataMap& record, int count);

    ButtonPageForm* form = nullptr;
    QVBoxLayout* macroListLayout = nullptr;
    QList<QToolButton*> macroButtonList;
    QButtonGroup* rowButtonGroup = nullptr;
    QButtonGroup* chooserButtonGroup = nullptr;
    QButtonGroup* optionButtonGroup = nullptr;
    QButtonGroup* hotspotButtonGroup = nullptr;
    QString mainPageFolder;
    // The page's copy of every button's type, code and extra.
    QList<int> types;
    QList<int> codes;
    QList<int> extras;
    QString sensorName;
    // driver_sensor.h's constants in file order, one value per name.
    QStringList sensorDefineNames;
    QVector<qint32> sensorDefineValues;
    // The fire-key dialog's own defaults until the user confirms other values.
    int fireKeyInterval = 10;
    int fireKeyCount = 3;
    QStringList buttonColorList;
    QString buttonColor;
    QWidget* macroListWidget = nullptr;
    QString pictureFolder;
    QString macroRowPrefix;
    QString profileNamePrefix;
    int languageAppliedOnce = 0;
};
