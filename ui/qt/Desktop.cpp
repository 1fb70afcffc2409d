#include "ui/Desktop.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "ui/qt/AppCore.h"

bool DuiLib::OpenFolder(const std::string& path)
{
    core::EnsureApplication();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}
