#include "ui/dialogs/font_chooser.h"

FontChooser::FontChooser(const char* name, QObject* parent) : QObject(parent) {
    setObjectName(QString::fromLatin1(name));
}

std::optional<FontChoice> FontChooser::choose(QWidget* parent, const QFont& current) {
    std::optional<FontChoice> choice;
    if (m_next.empty()) {
        choice = showDialog(parent, current);
    } else {
        choice = m_next.front();
        m_next.pop_front();
    }
    if (choice)
        m_colour = choice->colour;
    return choice;
}

std::optional<FontChoice> FontChooser::showDialog(QWidget* parent, const QFont& current) {
    FontDialog dialog(current, m_colour, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}
