#include "ui/font_chooser.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void paintSwatch(QPushButton* button, const QColor& colour) {
    button->setStyleSheet(QStringLiteral("background: %1; min-width: 48px").arg(colour.name()));
}

} // namespace

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
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("字体"));
    auto* fonts = new QFontDialog(current, &dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons);
    QColor colour = m_colour;
    auto* swatch = new QPushButton(&dialog);
    paintSwatch(swatch, colour);
    connect(swatch, &QPushButton::clicked, &dialog, [&] {
        const QColor picked = QColorDialog::getColor(colour, &dialog, QStringLiteral("颜色"));
        if (picked.isValid()) {
            colour = picked;
            paintSwatch(swatch, colour);
        }
    });
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("颜色(&C)："), &dialog));
    colourRow->addWidget(swatch);
    colourRow->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(fonts);
    column->addLayout(colourRow);
    column->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoice{fonts->currentFont(), colour};
}
