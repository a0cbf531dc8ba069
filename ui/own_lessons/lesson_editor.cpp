#include "ui/own_lessons/lesson_editor.h"

#include "core/atomic_write.h"
#include "core/lesson_codec.h"
#include "core/line_breaks.h"
#include "core/local_files.h"
#include "core/problem_text.h"
#include "core/regular_file.h"
#include "core/utf8.h"
#include "readings/yomi_writer.h"
#include "records/history_place.h"
#include "ui/common/font_faces.h"
#include "ui/common/prompts.h"
#include "ui/main_window/lesson_box.h"
#include "ui/own_lessons/lesson_preview.h"
#include "ui/own_lessons/text_file_import.h"

#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

namespace {

const QString kTitle = QStringLiteral("我的课文");
// A corrections file is a few lines; this is far more than any teacher writes.
constexpr size_t kCorrectionsLimit = 1024 * 1024;

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(chineseFont(10.5));
    return label;
}

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFont(chineseFont(10.5));
    b->setAutoDefault(false);
    return b;
}

std::u16string editorText(const QPlainTextEdit& edit) {
    return edit.toPlainText().toStdU16String();
}

// The whole file, or nothing when it does not exist; a file that is there but
// cannot be read is a problem.
std::variant<std::string, FileProblem> readIfThere(const std::string& path, size_t limit) {
    auto read = readRegularFile(path, limit);
    if (const auto* problem = std::get_if<FileProblem>(&read);
        problem && *problem == FileProblem::Missing)
        return std::string();
    return read;
}

QString writeFailure(const std::string& path, int error) {
    return QStringLiteral("无法写入 %1：%2")
        .arg(QString::fromStdString(path), QString::fromStdString(errorText(error)));
}

} // namespace

LessonEditor::LessonEditor(Prompts& prompts, MecabAnalyser& analyser, KanjiSources& kanji,
                           std::string folder, const QFont& boxFont, QWidget* parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts), m_folder(std::move(folder)), m_kanji(kanji),
      m_title(new QLineEdit(this)), m_text(new QPlainTextEdit(this)),
      m_previewBox(new LessonBoxWidget(this)),
      m_preview(new LessonPreview(*m_previewBox, analyser)), m_word(new QLineEdit(this)),
      m_reading(new QLineEdit(this)),
      m_setReading(button("SetReading", QStringLiteral("更正读音"), this)),
      m_note(caption({}, this)), m_status(caption({}, this)), m_size(new QProgressBar(this)),
      m_japaneseForms(button("JapaneseForms", QStringLiteral("换成日文写法(&J)"), this)),
      m_save(button("Save", QStringLiteral("保存(&S)"), this)),
      m_practise(button("Practise", QStringLiteral("练习这一课(&P)"), this)) {
    setObjectName(QStringLiteral("LessonEditor"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_title->setObjectName(QStringLiteral("Title"));
    m_title->setFont(chineseFont(12));
    m_text->setObjectName(QStringLiteral("LessonText"));
    m_text->setFont(boxFont);
    m_text->viewport()->installEventFilter(this);
    m_previewBox->setObjectName(QStringLiteral("Preview"));
    m_previewBox->setFont(boxFont);
    m_word->setObjectName(QStringLiteral("CorrectionWord"));
    m_reading->setObjectName(QStringLiteral("CorrectionReading"));
    m_reading->setPlaceholderText(QStringLiteral("正确的读音（假名）"));
    m_status->setObjectName(QStringLiteral("CheckStatus"));
    m_status->setWordWrap(true);
    m_note->setObjectName(QStringLiteral("ImportNote"));
    m_size->setObjectName(QStringLiteral("SizeBar"));
    m_size->setRange(0, static_cast<int>(kLessonFileLimit));
    buildLayout();
    connect(m_text, &QPlainTextEdit::textChanged, this, &LessonEditor::textEdited);
    connect(m_title, &QLineEdit::textChanged, this, &LessonEditor::showTitle);
    connect(m_title, &QLineEdit::textChanged, this, [this] { m_unsaved = true; });
    connect(m_preview, &LessonPreview::wordClicked, this, &LessonEditor::wordClicked);
    connect(m_setReading, &QPushButton::clicked, this, &LessonEditor::setReading);
    connect(m_reading, &QLineEdit::returnPressed, this, &LessonEditor::setReading);
    connect(m_japaneseForms, &QPushButton::clicked, this, &LessonEditor::useJapaneseForms);
    connect(m_save, &QPushButton::clicked, this, &LessonEditor::save);
    connect(m_practise, &QPushButton::clicked, this, &LessonEditor::practise);
    textEdited();
    showTitle();
    m_unsaved = false; // nothing typed yet
    resize(760, 700);
}

void LessonEditor::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(caption(QStringLiteral("标题："), this));
    titleRow->addWidget(m_title, 1);
    layout->addLayout(titleRow);
    layout->addWidget(m_note);
    layout->addWidget(caption(QStringLiteral("课文："), this));
    layout->addWidget(m_text, 3);
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(m_status, 1);
    checkRow->addWidget(m_japaneseForms);
    checkRow->addWidget(m_size);
    layout->addLayout(checkRow);
    layout->addWidget(caption(QStringLiteral("预览（点击一个词可以更正它的读音）："), this));
    layout->addWidget(m_previewBox, 3);
    auto* correctionRow = new QHBoxLayout;
    correctionRow->addWidget(caption(QStringLiteral("词语："), this));
    correctionRow->addWidget(m_word);
    correctionRow->addWidget(caption(QStringLiteral("读音："), this));
    correctionRow->addWidget(m_reading, 1);
    correctionRow->addWidget(m_setReading);
    layout->addLayout(correctionRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_practise);
    layout->addLayout(buttons);
}

bool LessonEditor::openLesson(const OwnLesson& lesson) {
    const auto read = readRegularFile(lesson.path, kLessonFileLimit);
    const std::string correctionsPath = correctionsPathFor(lesson.path);
    const auto corrections = readIfThere(correctionsPath, kCorrectionsLimit);
    const QString title = QString::fromStdString(lesson.title);
    if (const auto* problem = std::get_if<FileProblem>(&read)) {
        m_prompts.inform(
            this, QStringLiteral("无法读取课文「%1」：%2").arg(title, readProblemText(*problem)),
            kTitle);
        return false;
    }
    // Opened without them, a save would write over the learner's corrections.
    if (const auto* problem = std::get_if<FileProblem>(&corrections)) {
        m_prompts.inform(
            this,
            QStringLiteral("无法读取课文「%1」的读音更正文件 %2：%3")
                .arg(title, QString::fromStdString(correctionsPath), readProblemText(*problem)),
            kTitle);
        return false;
    }
    m_path = lesson.path;
    m_corrections = std::get<std::string>(corrections);
    const DecodedLesson decoded = decodeLesson(std::get<std::string>(read), m_codePage);
    m_title->setText(title);
    m_savedTitle = title;
    m_text->setPlainText(QString::fromStdU16String(decoded.text));
    m_preview->setCorrections(parseCorrections(m_corrections).entries);
    m_unsaved = false;
    return true;
}

void LessonEditor::startWith(const QString& title, const std::u16string& text,
                             const QString& note) {
    m_title->setText(title);
    m_text->setPlainText(QString::fromStdU16String(text));
    m_note->setText(note);
}

const std::vector<Ruby>& LessonEditor::previewReadings() const {
    return m_preview->readings().rubies;
}

void LessonEditor::showTitle() {
    const QString title = m_title->text().trimmed();
    setWindowTitle(title.isEmpty() ? QStringLiteral("新建课文 - %1").arg(kTitle)
                                   : QStringLiteral("%1 - %2").arg(title, kTitle));
}

void LessonEditor::textEdited() {
    m_unsaved = true;
    const std::u16string text = editorText(*m_text);
    m_findings = checkLesson(text, m_codePage, m_kanji);
    m_text->setExtraSelections(markFindings(m_findings, *m_text));
    m_status->setText(findingsSummary(m_findings));
    m_japaneseForms->setEnabled(
        std::any_of(m_findings.foreign.begin(), m_findings.foreign.end(),
                    [](const ForeignCharacter& f) { return f.japaneseForm; }));
    showSize();
    m_preview->follow(tidyLessonText(text));
}

// One edit, so that one undo takes it back.
void LessonEditor::useJapaneseForms() {
    const std::vector<ForeignCharacter> foreign = m_findings.foreign;
    QTextCursor cursor(m_text->document());
    cursor.beginEditBlock();
    for (const ForeignCharacter& f : foreign) {
        if (!f.japaneseForm)
            continue;
        cursor.setPosition(static_cast<int>(f.offset));
        cursor.setPosition(static_cast<int>(f.offset) + 1, QTextCursor::KeepAnchor);
        cursor.insertText(QString(QChar(f.japaneseForm)));
    }
    cursor.endEditBlock();
}

void LessonEditor::showSize() {
    const bool tooLarge = m_findings.fileSize > kLessonFileLimit;
    m_size->setValue(static_cast<int>(std::min(m_findings.fileSize, kLessonFileLimit)));
    m_size->setFormat(
        QStringLiteral("%1 / 128 KiB").arg(QString::number(m_findings.fileSize / 1024.0, 'f', 1)));
    m_size->setStyleSheet(tooLarge ? QStringLiteral("QProgressBar::chunk { background: #d00000; }")
                                   : QString());
}

bool LessonEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int position = m_text->cursorForPosition(help->pos()).position();
        const QString tip = findingAt(m_findings, static_cast<size_t>(position));
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, m_text->viewport());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool LessonEditor::save() {
    const std::u16string text = tidyLessonText(editorText(*m_text));
    if (text.empty()) {
        m_prompts.inform(this, QStringLiteral("课文是空的，不能保存。"), kTitle);
        return false;
    }
    const auto path = pathToSave();
    if (!path) {
        m_prompts.inform(
            this, QStringLiteral("请给课文起一个标题（不能以“.”开头，不能含有“/”，也不能太长）。"),
            kTitle);
        return false;
    }
    const auto file = lessonFileOf(text, m_codePage);
    if (const auto* refusal = std::get_if<LessonRefusal>(&file)) {
        m_prompts.inform(this, refusalText(*refusal), kTitle);
        return false;
    }
    std::error_code error;
    if (std::filesystem::is_directory(*path, error)) {
        m_prompts.inform(
            this,
            QStringLiteral("课文文件夹里已经有一个叫「%1」的文件夹，请换一个标题。")
                .arg(QString::fromStdString(std::filesystem::path(*path).filename().string())),
            kTitle);
        return false;
    }
    if (*path != m_path && std::filesystem::exists(*path) &&
        !m_prompts.askYesNo(
            this, QStringLiteral("已经有一课叫「%1」，要替换它吗？").arg(m_title->text().trimmed()),
            kTitle))
        return false;
    if (makeFoldersFor(*path)) {
        m_prompts.inform(
            this, QStringLiteral("无法建立课文文件夹 %1。").arg(QString::fromStdString(m_folder)),
            kTitle);
        return false;
    }
    if (const auto error = replaceFile(*path, std::get<std::string>(file))) {
        m_prompts.inform(this, writeFailure(*path, *error), kTitle);
        return false;
    }
    m_path = *path;
    m_savedTitle = m_title->text().trimmed();
    if (text != withCrLf(editorText(*m_text)))
        m_text->setPlainText(QString::fromStdU16String(text));
    const bool correctionsWritten = m_corrections.empty() || writeCorrections();
    markSaved();
    emit saved(m_path);
    return correctionsWritten;
}

// A lesson keeps its file while its title is not changed, whatever its file
// name holds (bytes that are no UTF-8, a leading "."); a new or changed
// title names the file.
std::optional<std::string> LessonEditor::pathToSave() const {
    const QString title = m_title->text().trimmed();
    if (!m_path.empty() && title == m_savedTitle)
        return m_path;
    return ownLessonPath(m_folder, title.toStdString());
}

void LessonEditor::markSaved() {
    m_unsaved = false;
    m_note->setText(
        QStringLiteral("已保存：%1").arg(QDir::toNativeSeparators(QString::fromStdString(m_path))));
}

bool LessonEditor::writeCorrections() {
    const std::string path = correctionsPathFor(m_path);
    if (const auto error = replaceFile(path, m_corrections)) {
        m_prompts.inform(this, writeFailure(path, *error), kTitle);
        return false;
    }
    return true;
}

void LessonEditor::wordClicked(const QString& word, const QString& reading) {
    m_word->setText(word);
    m_reading->setText(reading);
    m_reading->setFocus();
    m_reading->selectAll();
}

void LessonEditor::setReading() {
    const Correction correction{m_word->text().trimmed().toStdU16String(),
                                m_reading->text().trimmed().toStdU16String()};
    if (correction.word.empty())
        return;
    const std::string line = toUtf8(correction.word) + "\t" + toUtf8(correction.reading);
    if (!correction.reading.empty() && parseCorrections(line).entries.empty()) {
        m_prompts.inform(this, QStringLiteral("读音请用平假名或片假名书写。"), kTitle);
        return;
    }
    if (!correction.reading.empty() && !isInText(correction.word)) {
        m_prompts.inform(this,
                         QStringLiteral("课文里没有「%1」，这个读音用不上，没有保存。")
                             .arg(m_word->text().trimmed()),
                         kTitle);
        return;
    }
    m_corrections = withCorrection(m_corrections, correction);
    if (!m_path.empty())
        writeCorrections();
    m_preview->setCorrections(parseCorrections(m_corrections).entries);
}

bool LessonEditor::isInText(const std::u16string& word) const {
    return editorText(*m_text).find(word) != std::u16string::npos;
}

// Esc, which none of the fields takes, closes the editor as its title bar does.
void LessonEditor::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel))
        close();
    else
        QWidget::keyPressEvent(event);
}

// Text not saved is asked about; a lesson saved or emptied closes at once.
void LessonEditor::closeEvent(QCloseEvent* event) {
    if (m_unsaved && !tidyLessonText(editorText(*m_text)).empty()) {
        const QString title = m_title->text().trimmed();
        const QString lesson =
            title.isEmpty() ? QStringLiteral("新课文") : QStringLiteral("课文「%1」").arg(title);
        const auto answer = m_prompts.askSaveChanges(
            this, lesson + QStringLiteral("还没有保存。要保存吗？"), kTitle);
        if (!answer || (*answer && !save())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void LessonEditor::practise() {
    if (save())
        emit practiseRequested(m_path);
}
