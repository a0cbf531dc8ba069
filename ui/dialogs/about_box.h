#pragma once

#include <QDialog>

class DesktopShell;

// The program's web addresses, each in one place.
extern const QString kHomePage;     // the program's home page, with more lessons
extern const QString kJapaneseSite; // a site for learners of Japanese, with a Chinese page
extern const QString kJapaneseSiteName;

// `frmAbout`: the program's title, version and two links. Enter and Esc close it.
class frmAbout final : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(DesktopShell& shell, QWidget* parent = nullptr);

  private:
    void Form_Load();
};
