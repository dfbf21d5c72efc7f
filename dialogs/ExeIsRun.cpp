#include "dialogs/ExeIsRun.h"

#include "app/AppPaths.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ExeIsRun::ExeIsRun(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(AppPaths::ApplicationName());
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(tr("%1 is already running.").arg(AppPaths::ApplicationName()), this);
    text->setObjectName(QStringLiteral("label"));
    layout->addWidget(text);
    auto* close = new QPushButton(tr("OK"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    layout->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}
