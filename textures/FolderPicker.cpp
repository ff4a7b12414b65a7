#include "textures/FolderPicker.h"

#include <QFileDialog>
#include <QFileInfo>

namespace textures {

std::u16string BrowseFolder(QWidget* owner, const std::u16string& initialFolder, const std::u16string& title)
{
    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!title.empty())
        dialog.setWindowTitle(QString::fromStdU16String(title));
    if (!initialFolder.empty())
        dialog.setDirectory(QString::fromStdU16String(initialFolder));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    if (!QFileInfo(chosen).isDir())
        return {};
    return QDir::toNativeSeparators(chosen).toStdU16String();
}

} // namespace textures
