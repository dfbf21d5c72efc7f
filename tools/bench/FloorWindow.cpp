#include "FloorWindow.h"

#include "BenchProbe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

FloorWindow::FloorWindow()
{
    setWindowTitle(QStringLiteral("Floor"));
    resize(1020, 700);
    auto* layout = new QVBoxLayout(this);
    m_stack = new QStackedWidget(this);
    layout->addWidget(m_stack);
    for (int i = 0; i < kPages; ++i)
        m_stack->addWidget(MakePage(i));
    connect(m_tile, &QPushButton::clicked, this, [this] {
        m_stack->setCurrentIndex(1);
        for (int page = 1; page <= 3; ++page)
            QTimer::singleShot(0, this, [this, page] { Fill(page, page * 7); });
    });
}

// Five kinds of widget, twenty of each; the first widget of page 0 is the tile.
QWidget* FloorWindow::MakePage(int index)
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    QList<QWidget*> widgets;
    for (int i = 0; i < kWidgetsPerPage; ++i) {
        QWidget* w = nullptr;
        switch (i % 5) {
        case 0: {
            auto* button = new QPushButton(QStringLiteral("Button %1").arg(i), page);
            if (index == 0 && !m_tile)
                m_tile = button;
            w = button;
            break;
        }
        case 1:
            w = new QLabel(QStringLiteral("Label %1").arg(i), page);
            if (index == 1 && !m_valueLabel)
                m_valueLabel = static_cast<QLabel*>(w);
            break;
        case 2:
            w = new QSlider(Qt::Horizontal, page);
            break;
        case 3: {
            auto* combo = new QComboBox(page);
            combo->addItems({QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")});
            w = combo;
            break;
        }
        default:
            w = new QCheckBox(QStringLiteral("Check %1").arg(i), page);
            break;
        }
        grid->addWidget(w, i / 10, i % 10);
        widgets.append(w);
    }
    m_widgets.append(widgets);
    return page;
}

void FloorWindow::Fill(int page, int value)
{
    for (QWidget* w : m_widgets.at(page)) {
        if (auto* label = qobject_cast<QLabel*>(w))
            label->setText(QString::number(value));
        else if (auto* slider = qobject_cast<QSlider*>(w))
            slider->setValue(value);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setCurrentIndex(value % 3);
        else if (auto* check = qobject_cast<QCheckBox*>(w))
            check->setChecked(value % 2);
    }
    if (++m_filled == 3)
        m_filledAtNs = BenchProbe::NowNs();
}

void FloorWindow::ShowValue(int value)
{
    m_valueLabel->setText(QString::number(value));
}
