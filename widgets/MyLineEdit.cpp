#include "widgets/MyLineEdit.h"

#include <QKeyEvent>

MyLineEdit::MyLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

MyLineEdit::~MyLineEdit() = default;

// The key stays accepted, so it is swallowed here.
void MyLineEdit::keyPressEvent(QKeyEvent* /*event*/)
{
}

void MyLineEdit::keyReleaseEvent(QKeyEvent* /*event*/)
{
}
