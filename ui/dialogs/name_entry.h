#pragma once

#include <QDialog>

class QLineEdit;

// `inputname`: asks for the learner's name. `cancel` and `str` are read after
// it closed; closing it through the window system counts as 取消.
class inputname final : public QDialog {
    Q_OBJECT
  public:
    explicit inputname(QWidget* parent = nullptr);

    int cancel = 0;
    QString str;

    // Shows a name in the box, selected, so that typing replaces it.
    void offerName(const QString& name);
    void Command1_Click();
    void Command2_Click() { reject(); }
    void reject() override;

  private:
    QLineEdit* m_namebox;
};
