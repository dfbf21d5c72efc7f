#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;

// The floor: a plain Qt window of seven pages of 100 widgets each, the
// size of the program's window, with no pictures, no style sheets and no
// device. Page 0 stands for the chooser; its button opens page 1 and fills
// pages 1 to 3 with values, each in an event of its own, as records would.
class FloorWindow : public QWidget {
public:
    static constexpr int kPages = 7;
    static constexpr int kWidgetsPerPage = 100;

    FloorWindow();
    QPushButton* Tile() const { return m_tile; }
    int PagesFilled() const { return m_filled; }
    qint64 FilledAtNs() const { return m_filledAtNs; }
    // One device event: a value shown on the current page.
    void ShowValue(int value);

private:
    QWidget* MakePage(int index);
    void Fill(int page, int value);

    QStackedWidget* m_stack = nullptr;
    QPushButton* m_tile = nullptr;
    QLabel* m_valueLabel = nullptr;
    QList<QList<QWidget*>> m_widgets;
    int m_filled = 0;
    qint64 m_filledAtNs = 0;
};
