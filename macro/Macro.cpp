#include "macro/Macro.h"

Macro::Macro(QWidget* parent)
    : QWidget(parent)
{
}
