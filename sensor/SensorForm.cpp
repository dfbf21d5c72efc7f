#include "sensor/SensorForm.h"

#include "sensor/MotionSync.h"
#include "sensor/RippeControl.h"
#include "sensor/SensorDPI.h"
#include "sensor/SensorLOD.h"
#include "sensor/SensorRate.h"
#include "sensor/StraightLine.h"
#include "widgets/MyConmboBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

namespace {

QFont FormFont()
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(11);
    return font;
}

QToolButton* NewTitleButton(QFrame* parent, const char* name, int y)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(40, y, 16, 10);
    button->setFixedSize(16, 10);
    button->setEnabled(false);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* NewLabel(QFrame* parent, const char* name, const QRect& rect)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(rect);
    return label;
}

MyConmboBox* NewList(QFrame* parent, const char* name, int x)
{
    auto* list = new MyConmboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(x, 390, 130, 30);
    list->setFixedSize(130, 30);
    list->setEnabled(false);
    list->setEditable(false);
    list->setFocusPolicy(Qt::NoFocus);
    list->setFont(FormFont());
    return list;
}

} // namespace

SensorForm::SensorForm(QWidget* page)
{
    page->setObjectName(QStringLiteral("Sensor"));
    page->setWindowTitle(QStringLiteral("Form"));
    page->setFixedSize(883, 630);
    gridLayout = new QGridLayout(page);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);

    SenSorPage = new QFrame(page);
    SenSorPage->setObjectName(QStringLiteral("SenSorPage"));
    SenSorPage->setFixedSize(883, 630);
    SenSorPage->setFrameShape(QFrame::StyledPanel);
    SenSorPage->setFrameShadow(QFrame::Raised);
    gridLayout->addWidget(SenSorPage, 0, 0);

    frameDpi = new SensorDPI(SenSorPage);
    frameDpi->setObjectName(QStringLiteral("frameDpi"));
    frameDpi->setGeometry(65, 26, 728, 194);
    TitleButton = NewTitleButton(SenSorPage, "TitleButton", 33);

    frameRate = new SensorRate(SenSorPage);
    frameRate->setObjectName(QStringLiteral("frameRate"));
    frameRate->setGeometry(80, 208, 725, 82);
    TitleButton_2 = NewTitleButton(SenSorPage, "TitleButton_2", 220);

    label_5 = NewLabel(SenSorPage, "label_5", QRect(80, 316, 211, 21));
    label_5->setFont(FormFont());
    label_5->setText(QStringLiteral("Sensor设置"));
    TitleButton_4 = NewTitleButton(SenSorPage, "TitleButton_4", 323);

    label_11 = NewLabel(SenSorPage, "label_11", QRect(80, 360, 171, 17));
    label_11->setFont(FormFont());
    label_11->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label_11->setText(QStringLiteral("模式选择"));
    label = NewLabel(SenSorPage, "label", QRect(170, 361, 16, 16));

    frameLOD = new SensorLOD(SenSorPage);
    frameLOD->setObjectName(QStringLiteral("frameLOD"));
    frameLOD->setGeometry(255, 360, 131, 61);

    ModelChoose = NewList(SenSorPage, "ModelChoose", 80);
    ModelChoose->addItems({QStringLiteral("LP"), QStringLiteral("HP"), QStringLiteral("Corded")});

    Performance = new QCheckBox(SenSorPage);
    Performance->setObjectName(QStringLiteral("Performance"));
    Performance->setGeometry(430, 352, 231, 31);
    Performance->setMinimumHeight(17);
    Performance->setFocusPolicy(Qt::NoFocus);
    Performance->setFont(FormFont());
    Performance->setText(QStringLiteral("性能全开"));
    label_2 = NewLabel(SenSorPage, "label_2", QRect(540, 361, 16, 16));

    PerformanceOpen = NewList(SenSorPage, "PerformanceOpen", 430);
    PerformanceOpen->setMaxVisibleItems(5);
    // The language table names the items; Chinese placeholders would be laid
    // out, and a CJK font looked up, each time the popup list is restyled.
    for (int i = 0; i < 8; ++i)
        PerformanceOpen->addItem(QString());

    frame = new RippeControl(SenSorPage);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(670, 370, 204, 31);
    frame_3 = new MotionSync(SenSorPage);
    frame_3->setObjectName(QStringLiteral("frame_3"));
    frame_3->setGeometry(670, 400, 204, 31);
    frame_4 = new StraightLine(SenSorPage);
    frame_4->setObjectName(QStringLiteral("frame_4"));
    frame_4->setGeometry(670, 400, 204, 31);
}
