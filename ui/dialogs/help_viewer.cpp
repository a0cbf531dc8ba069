#include "ui/dialogs/help_viewer.h"

#include <QFileInfo>
#include <QKeyEvent>
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
    m_browser->installEventFilter(this);
    const QFileInfo file(path);
    if (file.isFile())
        m_browser->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    else
        m_browser->setText(QStringLiteral("找不到帮助文件 %1。").arg(path));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_browser);
}

// A browser whose text can be selected takes input-method commits into its
// page, and keeps Esc for itself.
bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_browser)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::InputMethod) {
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        reject();
        return true;
    }
    return false;
}
