#include "settings/InputPicB.h"

#include "app/AppPaths.h"
#include "app/PostMsg.h"
#include "settings/PictureImportForm.h"

#include <QButtonGroup>
#include <QToolButton>

InputPicB::InputPicB(QWidget* parent)
    : QDialog(parent)
    , form(new PictureImportForm(this, QStringLiteral("InputPicB"), PictureImportForm::Arrangement::B))
{
    screenPictureDir = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/ScreeInfo/");
    pictureGroup = form->MakePictureGroup();
    form->ApplyStyle(screenPictureDir);
    connect(form->CloseButton, &QToolButton::clicked, this, &InputPicB::on_CloseButton_clicked);
}

InputPicB::~InputPicB()
{
    delete form;
}

void InputPicB::SlotAllLanguage(int)
{
}

void InputPicB::on_CloseButton_clicked()
{
    PostMsg::Instance()->EmitSigButtonCheck();
    close();
}
