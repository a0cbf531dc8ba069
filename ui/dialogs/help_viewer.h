#pragma once

#include <QDialog>

class QTextBrowser;

// Shows the help document inside the program, for desktops that have no
// handler for HTML files. The page is read-only: input-method commits never
// land in it, and Esc closes the window wherever the focus is.
class HelpViewer final : public QDialog {
    Q_OBJECT
  public:
    HelpViewer(const QString& path, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTextBrowser* m_browser;
};
