#pragma once

#include "review/mastery.h"

#include <QWidget>
#include <functional>
#include <vector>

class QPainter;

// Paints one kanji's square: its fill and frame tell how well it is held (a
// dashed grey frame, then ever darker blue, the darkest with a thick frame, a
// dot for one produced from its reading), and a red-orange corner triangle
// marks a recent slip, so that shape tells what colour alone may not.
void paintKanjiCell(QPainter& painter, const QRect& cell, const KanjiState& state, Day today);

// A lesson's kanji as a grid of squares that wraps with the width; hovering
// one shows what `tip` says of it.
class KanjiGrid final : public QWidget {
    Q_OBJECT
  public:
    KanjiGrid(std::vector<KanjiState> kanji, Day today,
              std::function<QString(const KanjiState&)> tip, QWidget* parent = nullptr);

    static constexpr int kCell = 28;
    static constexpr int kGap = 3;

    // The square of the kanji at an index, for the tests and the hover.
    QRect cellRect(int index) const;
    int indexAt(const QPoint& point) const;
    // What hovering the point shows; empty between the squares.
    QString tipAt(const QPoint& point) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    int columns(int width) const;

    std::vector<KanjiState> m_kanji;
    Day m_today;
    std::function<QString(const KanjiState&)> m_tip;
};
