#include "ui/dialogs/font_dialog.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kJapaneseSample = QStringLiteral("日本語 にほんご");

void paintSwatch(QPushButton* button, const QColor& colour) {
    button->setStyleSheet(QStringLiteral("background: %1; min-width: 48px").arg(colour.name()));
}

// The box's face may be a design face that this system replaces by another;
// the panel lists installed faces, so it opens on the replacement.
QFont installedFace(QFont font) {
    font.setFamily(QFontInfo(font).family());
    return font;
}

// ０–９ and ． as an input method types them in a number field.
QString halfWidth(QString text) {
    for (QChar& c : text)
        if ((c >= u'０' && c <= u'９') || c == u'．')
            c = QChar(c.unicode() - 0xFEE0);
    return text;
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

FontDialog::FontDialog(const QFont& current, const QColor& colour, QWidget* parent)
    : QDialog(parent), m_fonts(new QFontDialog(installedFace(current), this)),
      m_swatch(new QPushButton(this)), m_colour(colour), m_currentSize(current.pointSizeF()) {
    setWindowTitle(QStringLiteral("字体"));
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons);
    // The panel is a dialog of its own: it would close itself on Escape or
    // Enter and leave this one empty on screen. Its keys close this one.
    m_fonts->installEventFilter(this);
    connect(m_fonts, &QDialog::accepted, this, &QDialog::accept);
    connect(m_fonts, &QDialog::rejected, this, &QDialog::reject);
    showJapaneseSample();
    m_sizeField = findSizeField();
    m_sizeField->installEventFilter(this);
    m_swatch->setObjectName(QStringLiteral("colourSwatch"));
    paintSwatch(m_swatch, m_colour);
    // Enter on the swatch confirms the dialog like everywhere else; Space
    // still opens the picker.
    m_swatch->setAutoDefault(false);
    connect(m_swatch, &QPushButton::clicked, this, &FontDialog::pickColour);
    auto* colourLabel = new QLabel(QStringLiteral("颜色(&C)："), this);
    colourLabel->setObjectName(QStringLiteral("colourLabel"));
    colourLabel->setBuddy(m_swatch);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_swatch);
    colourRow->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_fonts);
    column->addLayout(colourRow);
    column->addWidget(buttons);
    faceList()->setFocus(); // where the learner starts
}

// The panel makes its face list first of its three lists.
QListView* FontDialog::faceList() const {
    return m_fonts->findChildren<QListView*>().first();
}

// The panel's size field is its only line edit with a validator.
QLineEdit* FontDialog::findSizeField() const {
    for (QLineEdit* edit : m_fonts->findChildren<QLineEdit*>())
        if (edit->validator())
            return edit;
    return nullptr;
}

// An emptied size field would give the panel's font no size at all.
FontChoice FontDialog::choice() const {
    QFont font = m_fonts->currentFont();
    if (m_sizeField->text().toDouble() <= 0)
        font.setPointSizeF(m_currentSize);
    return FontChoice{font, m_colour};
}

// The field's validator takes ASCII digits only: full-width ones are turned
// into them before it sees them.
bool FontDialog::halfWidthDigits(QEvent* event) {
    if (event->type() == QEvent::InputMethod) {
        auto* im = static_cast<QInputMethodEvent*>(event);
        const QString commit = halfWidth(im->commitString());
        if (commit == im->commitString())
            return false;
        QInputMethodEvent converted(im->preeditString(), im->attributes());
        converted.setCommitString(commit, im->replacementStart(), im->replacementLength());
        QCoreApplication::sendEvent(m_sizeField, &converted);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = halfWidth(key->text());
        if (text == key->text())
            return false;
        QKeyEvent converted(QEvent::KeyPress, key->key(), key->modifiers(), text);
        QCoreApplication::sendEvent(m_sizeField, &converted);
        return true;
    }
    return false;
}

bool FontDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_sizeField)
        return halfWidthDigits(event);
    if (watched != m_fonts || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Cancel)) {
        reject();
        return true;
    }
    if (isEnter(key)) {
        accept();
        return true;
    }
    return false;
}

void FontDialog::pickColour() {
    const QColor picked = QColorDialog::getColor(m_colour, this, QStringLiteral("颜色"));
    if (!picked.isValid())
        return;
    m_colour = picked;
    paintSwatch(m_swatch, m_colour);
}

// The panel's sample line is the only line edit inside its sample group.
void FontDialog::showJapaneseSample() {
    for (QLineEdit* edit : m_fonts->findChildren<QLineEdit*>())
        if (qobject_cast<QGroupBox*>(edit->parentWidget())) {
            edit->setText(kJapaneseSample);
            edit->setCursorPosition(0); // a narrow sample shows its beginning
        }
}
