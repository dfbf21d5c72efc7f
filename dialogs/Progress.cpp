#include "dialogs/Progress.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/DismissGuard.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"
#include "settings/FirmwareUpdateState.h"

#include <QKeySequence>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

Progress::Progress(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("Progress"), QStringLiteral("AddDelayTimeA")))
{
    form->label->setGeometry(10, 15, 281, 51);
    form->label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    form->label->setText(QString());
    form->CloseButton->setFocusPolicy(Qt::NoFocus);
    form->AddOkButton(QStringLiteral("NewHong"), QRect(110, 110, 90, 24), QStringLiteral("确定"));
    form->okButton->setFocusPolicy(Qt::NoFocus);

    progressBar = new QProgressBar(form->frame);
    progressBar->setObjectName(QStringLiteral("progressBar_2"));
    progressBar->setGeometry(QRect(30, 70, 241, 26));
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setFormat(QString());
    progressBar->setStyleSheet(QStringLiteral(
        "QProgressBar {\n   border: 2px solid grey;\n   border-radius: 5px;\n   background-color: TRANSPARENT;\n"
        "\tcolor: rgb(255, 255, 255);\n}\nQProgressBar::chunk {\n   background-color: rgb(80, 240, 0);\n"
        "   width: 20px;\n}\nQProgressBar {\n   border: 2px solid grey;\n   border-radius: 5px;\n"
        "   text-align: center;\n}"));

    connect(form->CloseButton, &QToolButton::clicked, this, &Progress::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &Progress::on_NewHong_clicked);
    PostMsg::Connect(SIGNAL(SigCloseProgress()), this, SLOT(SlotCloseProgress()));
    // Nor does Escape hide the notice while the upgrade runs.
    new DismissGuard(this, [] { return upgradeRunning.load(); });

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->okButton->hide();
    form->label->setText(RunningText(1));
    form->ScaleFonts();
}

Progress::~Progress()
{
    delete form;
}

QString Progress::RunningText(int percent) const
{
    return upgradingText + QStringLiteral(": ") + QString::number(percent) + QLatin1Char('%');
}

void Progress::ResetToStart()
{
    form->label->setText(RunningText(0));
    progressBar->setValue(0);
}

void Progress::SlotAllLanguage(int index)
{
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("Settings"), QStringLiteral("OK")));
    upgradingText = LanguageTables::Text(index, QStringLiteral("update"), QStringLiteral("DialogUpgradeUpgrading"));
    upgradingText.replace(QLatin1Char('\n'), QLatin1Char(' '));
    upgradeFailText = LanguageTables::Text(index, QStringLiteral("update"), QStringLiteral("DialogUpgradeFail"));
    upgradeSuccessText = LanguageTables::Text(index, QStringLiteral("update"), QStringLiteral("DialogUpgradeSuccess"));
}

void Progress::SlotCloseProgress()
{
    if (upgradeRunning)
        return;
    close();
    ResetToStart();
}

void Progress::SlotProgress(int schedue, int Discrib)
{
    progressBar->setValue(schedue);
    switch (Discrib) {
    case 0:
        form->label->setText(RunningText(schedue));
        break;
    case 1:
        form->okButton->setShortcut(QKeySequence(Qt::Key_Return));
        form->label->setText(upgradeFailText);
        form->okButton->show();
        break;
    case 2:
        form->okButton->setShortcut(QKeySequence(Qt::Key_Return));
        form->label->setText(upgradeSuccessText);
        progressBar->setValue(100);
        form->okButton->show();
        break;
    case 3:
        form->okButton->hide();
        break;
    case 4:
        form->okButton->hide();
        ResetToStart();
        break;
    default:
        break;
    }
}

void Progress::on_CloseButton_clicked()
{
    if (upgradeRunning)
        return;
    on_NewHong_clicked();
}

void Progress::on_NewHong_clicked()
{
    if (form->label->text() == upgradeFailText) {
        PostMsg::Instance()->EmitSigChangeMainDialog(0);
        close();
        return;
    }
    close();
    ResetToStart();
    PostMsg::Instance()->EmitSigContinue(0);
}
