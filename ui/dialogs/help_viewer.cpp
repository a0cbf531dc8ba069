#include "ui/dialogs/help_viewer.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpViewer::HelpViewer(const QString& path, QWidget* parent)
    : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Orvanta 帮助"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 560);
    m_browser->setOpenExternalLinks(true);
    const QFileInfo file(path);
    if (file.isFile())
        m_browser->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    else
        m_browser->setText(QStringLiteral("找不到帮助文件 %1。").arg(path));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_browser);
}
