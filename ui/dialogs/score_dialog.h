#pragma once

#include "core/ports.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

// `Dialog`: holds and shows the figures of the last attempt. Each figure label
// copies the matching read-out of the main window. Closing destroys it.
class Dialog final : public QDialog {
    Q_OBJECT
  public:
    explicit Dialog(QWidget* parent = nullptr);

    void setFigure(DialogLabel label, const QString& text);
    QString figure(DialogLabel label) const;

  signals:
    // 保存记录 was pressed.
    void OKButton_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<QLabel*, 7> m_figures{};
};
