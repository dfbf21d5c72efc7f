#include "dialogs/RememberedFileDialog.h"

#include "app/UserSettings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

const QString kGroup = QStringLiteral("FileDialog");
const QString kKey = QStringLiteral("LastFolder");

} // namespace

QString RememberedFileDialog::OpenFile(QWidget* parent, const QString& caption, const QString& filter)
{
    return Run(parent, caption, filter, false, QString());
}

QString RememberedFileDialog::SaveFile(QWidget* parent, const QString& caption, const QString& filter,
                                       const QString& defaultSuffix)
{
    return Run(parent, caption, filter, true, defaultSuffix);
}

QString RememberedFileDialog::StartFolder()
{
    const QString folder = UserSettings::Instance()->Value(kGroup, kKey);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

QString RememberedFileDialog::Run(QWidget* parent, const QString& caption, const QString& filter, bool save,
                                  const QString& defaultSuffix)
{
    QFileDialog dialog(parent, caption, StartFolder(), filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return QString();
    QString path = files.first();
    // Not every platform's dialog adds the suffix itself. The dialog asked
    // before replacing the name it was given, not one we make up, so an
    // existing file of the made-up name is never replaced unasked.
    if (save && !defaultSuffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        const QString withSuffix = path + QLatin1Char('.') + defaultSuffix;
        if (!QFileInfo::exists(withSuffix))
            path = withSuffix;
    }
    // Remembering is a convenience: a settings file that cannot be written
    // leaves the dialog starting where it did.
    UserSettings::Instance()->SetValue(kGroup, kKey, QFileInfo(path).absolutePath());
    return path;
}
