#pragma once

#include "ui/dialogs/font_dialog.h"

#include <QObject>
#include <deque>
#include <optional>

class QWidget;

// A font dialog object (`CommonDialog1`, `CommonDialog2`) that keeps its
// settings between uses: it opens with the box's font and the colour last
// confirmed in it (black at first). Answers can be prepared for tests (the next-answer seam).
class FontChooser final : public QObject {
    Q_OBJECT
  public:
    explicit FontChooser(const char* name, QObject* parent = nullptr);

    // The learner's choice, or nothing when cancelled.
    std::optional<FontChoice> choose(QWidget* parent, const QFont& current);

    QColor colour() const { return m_colour; }
    // A prepared answer; nothing answers as Cancel.
    void setNextChoice(std::optional<FontChoice> choice) { m_next.push_back(std::move(choice)); }

  private:
    std::optional<FontChoice> showDialog(QWidget* parent, const QFont& current);

    QColor m_colour = Qt::black;
    std::deque<std::optional<FontChoice>> m_next;
};
