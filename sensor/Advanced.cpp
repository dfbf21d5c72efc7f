#include "sensor/Advanced.h"

Advanced::Advanced(QWidget* parent)
    : QWidget(parent)
{
}
