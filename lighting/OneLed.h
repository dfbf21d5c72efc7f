#pragma once

#include <QFrame>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QTextEdit;
class QToolButton;

// The 4 kHz receiver's single-LED panel: three exclusive boxes for what the
// LED tells (meanings 1, 2 and 3). A tick writes its meaning to the receiver;
// with the mouse offline the tick goes back where it stood. The lighting
// page shows the panel and ticks the receiver's reported meaning.
class OneLed : public QFrame {
    Q_OBJECT
public:
    explicit OneLed(QWidget* parent = nullptr);
    ~OneLed() override;

    // index 0, 1, 2 ticks the box of meaning 1, 2, 3 without any box's
    // signals, so nothing is sent or asked; other values do nothing.
    void SetMeaning(int index);

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_ReUntil_toggled(bool checked);
    void on_ReUntil_2_toggled(bool checked);
    void on_ReUntil_3_toggled(bool checked);

private:
    void BuildForm();
    void ApplyStyles();
    QCheckBox* Box(int index) const;
    int TickedIndex() const;
    void Toggled(int index, bool checked);
    // Ticks the box of index again (none for -1) without any box's signals.
    void PutTickBack(int index);

    QString pictureFolder;
    QButtonGroup* group = nullptr;
    // The box ticked before the user's click, to put back when the mouse is
    // offline; -1 for none.
    int tickedBefore = -1;

    QToolButton* TitleButton_7 = nullptr;
    QLabel* label_16 = nullptr;
    QCheckBox* ReUntil = nullptr;
    QCheckBox* ReUntil_2 = nullptr;
    QCheckBox* ReUntil_3 = nullptr;
    QTextEdit* textEdit_2 = nullptr;
    QTextEdit* textEdit_3 = nullptr;
    QTextEdit* textEdit_4 = nullptr;
};
