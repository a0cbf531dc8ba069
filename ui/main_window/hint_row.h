#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class QLabel;
class QWidget;

// The row beside the clock, from the lesson box's left edge to just before the
// clock's caption, where features show a short hint about what comes next
// (the romaji of the word to type, ...). Each feature shows and clears its own
// text under its own key; the row shows the text set last of those standing,
// in the longest of its forms that fits the room, with the whole text as
// tooltip, and follows the clock's caption when the window is laid out. When
// none fits, the word quoted in the shortest form (within its first 「」) is
// shortened, never what follows it, such as the kind of a slip.
class HintRow final : public QObject {
    Q_OBJECT
  public:
    HintRow(QWidget& leftEdge, QWidget& anchor);

    void show(const void* owner, const QString& text) { show(owner, QStringList{text}); }
    // The whole text first, then shorter ways of saying it.
    void show(const void* owner, const QStringList& forms);
    void clear(const void* owner);

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();
    QString shortened(const QString& form, int room) const;

    QWidget& m_leftEdge;
    QWidget& m_anchor;
    QLabel* m_label;
    std::vector<std::pair<const void*, QStringList>> m_texts; // the one shown last at the back
};
