#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QLineEdit;
class QListView;
class QPushButton;

struct FontChoice {
    QFont font; // face, size, bold, italic, underline, strikeout
    QColor colour;
};

// The font dialog of the two text boxes: Qt's font panel opened on the face
// the box really shows, with a Japanese sample, and a colour row below it.
// One Escape cancels the whole dialog and Enter confirms it, wherever the
// focus is; Space on the colour swatch opens the colour picker. It opens
// with the focus on the face list. The size field takes the full-width
// digits an input method types, and an emptied size keeps the box's size.
class FontDialog final : public QDialog {
    Q_OBJECT
  public:
    FontDialog(const QFont& current, const QColor& colour, QWidget* parent = nullptr);

    FontChoice choice() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QListView* faceList() const;
    QLineEdit* findSizeField() const;
    bool halfWidthDigits(QEvent* event);
    void pickColour();
    void showJapaneseSample();

    QFontDialog* m_fonts;
    QLineEdit* m_sizeField = nullptr;
    QPushButton* m_swatch;
    QColor m_colour;
    qreal m_currentSize;
};
