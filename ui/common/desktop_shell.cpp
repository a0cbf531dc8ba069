#include "ui/common/desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool DesktopShell::openAddress(const QString& address) {
    m_requests << address;
    if (m_recording)
        return m_handler;
    return QDesktopServices::openUrl(QUrl(address));
}

bool DesktopShell::openDocument(const QString& path) {
    m_requests << path;
    if (m_recording)
        return m_handler;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
