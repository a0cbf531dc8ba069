#pragma once

#include <QDialog>

class QTextBrowser;

// Shows the help document inside the program, for desktops that have no
// handler for HTML files.
class HelpViewer final : public QDialog {
    Q_OBJECT
  public:
    HelpViewer(const QString& path, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }

  private:
    QTextBrowser* m_browser;
};
