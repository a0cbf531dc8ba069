#pragma once

#include <QLabel>

// A one-line label that draws its text centred on the text's own ink rather
// than on the font's line height. The CJK faces have a line height far above
// their glyphs' height (about 1.45 em), so a read-out of the designed height
// would cut off a glyph that a plain label centres; here every glyph fits
// whenever the box is as high as the glyphs themselves. Horizontally it keeps
// the label's alignment.
class FittedLabel final : public QLabel {
    Q_OBJECT
  public:
    explicit FittedLabel(const QString& text, QWidget* parent = nullptr);

    // Where the text's baseline starts in the label.
    QPointF textOrigin() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
