#include "lighting/LightBarPanel.h"

#include "lighting/LightColorPresets.h"
#include "lighting/LightLevelSlider.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace LightBarPanel {

QSpinBox* NewChannelBox(QWidget* parent, const char* name, int x, int y, int points)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(x, y, 45, 20);
    box->setRange(0, 255);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setKeyboardTracking(true);
    box->setFont(PanelForm::YaHei(points));
    return box;
}

void ShowEffectControls(int effect, QSlider* brightness, QSpinBox* brightnessBox, QFrame* brightnessLine,
                        QSlider* speed, QSpinBox* speedBox, QFrame* speedLine,
                        const QVector<QWidget*>& colourWidgets)
{
    if (effect < 0 || effect > 6)
        return;
    const bool brightnessShown = effect != 0;
    const bool speedShown = effect == 1 || effect == 2 || effect == 4 || effect == 5;
    const bool colourShown = effect == 2 || effect == 3;
    LightLevelSlider::ShowRow(brightness, brightnessBox, brightnessLine, brightnessShown);
    LightLevelSlider::ShowRow(speed, speedBox, speedLine, speedShown);
    for (QWidget* widget : colourWidgets)
        widget->setVisible(colourShown);
}

void StyleColourPictures(const QString& pictureFolder, QLabel* board, std::initializer_list<QToolButton*> reduce,
                         std::initializer_list<QToolButton*> add, QLabel* preview,
                         const QVector<QToolButton*>& presets)
{
    board->setStyleSheet(PanelStyle::PictureStyle("QLabel", pictureFolder, "ColorBoard.png"));
    for (QToolButton* button : reduce)
        button->setStyleSheet(PanelStyle::PictureStyle("QToolButton", pictureFolder, "Reduce.png"));
    for (QToolButton* button : add)
        button->setStyleSheet(PanelStyle::PictureStyle("QToolButton", pictureFolder, "Add.png"));
    preview->setStyleSheet(PanelStyle::PictureStyle("QLabel", pictureFolder, "PreviewColor.png"));
    for (int i = 0; i < presets.size(); ++i) {
        const QByteArray picture = QByteArray("Color") + kLightColorPresets[i].letter + ".png";
        presets[i]->setStyleSheet(PanelStyle::PictureStyle("QToolButton", pictureFolder, picture.constData()));
    }
}

} // namespace LightBarPanel
