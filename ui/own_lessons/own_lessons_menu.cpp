#include "ui/own_lessons/own_lessons_menu.h"

#include "core/own_lessons.h"
#include "core/practice_session.h"
#include "ui/common/prompts.h"
#include "ui/common/window_place.h"
#include "ui/own_lessons/lesson_editor.h"
#include "ui/own_lessons/text_file_import.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>
#include <filesystem>

namespace {

const QString kTitle = QStringLiteral("我的课文");

QAction* item(QMenu& menu, const char* name, const QString& caption) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

OwnLessonsMenu::OwnLessonsMenu(QMenu& menu, QWidget& window, PracticeSession& session,
                               const QWidget& lessonBox, Prompts& prompts, std::string folder)
    : QObject(&window), m_menu(menu), m_window(window), m_lessonBox(lessonBox), m_prompts(prompts),
      m_session(session), m_folder(std::move(folder)) {
    connect(&m_menu, &QMenu::aboutToShow, this, &OwnLessonsMenu::refresh);
    m_window.installEventFilter(this);
    refresh();
}

OwnLessonsMenu::~OwnLessonsMenu() {
    for (const QPointer<LessonEditor>& editor : m_editors)
        delete editor.data(); // before the analyser they share
}

// A title as a menu item shows it: "&" as itself, not as a shortcut's mark,
// tabs and other control characters as spaces (a tab would split the item
// into a shortcut column), a long one cut short in its middle.
QString OwnLessonsMenu::menuText(const std::string& title) const {
    QString text = QString::fromStdString(title);
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    text = QFontMetrics(m_menu.font()).elidedText(text, Qt::ElideMiddle, kLongestItemWidth);
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void OwnLessonsMenu::lessonLoaded(const LoadedLesson& lesson) {
    std::error_code error;
    const std::string absolute =
        std::filesystem::absolute(lesson.path, error).lexically_normal().string();
    m_currentPath = ownLessonTitle(m_folder, absolute) ? absolute : std::string();
}

void OwnLessonsMenu::refresh() {
    m_menu.clear();
    removeStaleSaves(m_folder);
    const std::vector<OwnLesson> lessons = listOwnLessons(m_folder);
    for (const OwnLesson& lesson : lessons) {
        QAction* action = item(m_menu, "OwnLesson", menuText(lesson.title));
        action->setToolTip(QString::fromStdString(lesson.title));
        connect(action, &QAction::triggered, this,
                [this, path = lesson.path] { m_session.loadLesson(path); });
    }
    if (lessons.empty())
        item(m_menu, "NoOwnLesson", QStringLiteral("还没有自己的课文"))->setEnabled(false);
    m_menu.addSeparator();
    connect(item(m_menu, "NewLesson", QStringLiteral("新建课文(&N)...")), &QAction::triggered, this,
            &OwnLessonsMenu::newLesson);
    connect(item(m_menu, "ImportText", QStringLiteral("导入文本文件(&I)...")), &QAction::triggered,
            this, &OwnLessonsMenu::importTextFile);
    if (!m_currentPath.empty())
        connect(item(m_menu, "EditLesson", QStringLiteral("编辑本课(&E)...")), &QAction::triggered,
                this, &OwnLessonsMenu::editCurrentLesson);
}

LessonEditor* OwnLessonsMenu::openEditor() {
    m_kanji.load();
    auto* editor = new LessonEditor(m_prompts, m_analyser, m_kanji, m_folder, m_lessonBox.font());
    connect(editor, &LessonEditor::practiseRequested, this, &OwnLessonsMenu::practise);
    m_editors.emplace_back(editor);
    centreOn(*editor, m_window.frameGeometry()); // a plain window would open in a corner
    return editor;
}

LessonEditor* OwnLessonsMenu::newLesson() {
    LessonEditor* editor = openEditor();
    editor->show();
    return editor;
}

LessonEditor* OwnLessonsMenu::importTextFile() {
    const auto path =
        m_prompts.chooseOpenFile(&m_window, QStringLiteral("文本文件(*.txt);;所有文件(*)"));
    if (!path)
        return nullptr;
    const QFileInfo file(*path);
    auto imported = ::importTextFile(*path, m_codePage);
    if (const auto* why = std::get_if<QString>(&imported)) {
        m_prompts.inform(&m_window, QStringLiteral("无法导入 %1：%2。").arg(file.fileName(), *why),
                         kTitle);
        return nullptr;
    }
    const ImportedText& text = std::get<ImportedText>(imported);
    LessonEditor* editor = openEditor();
    editor->startWith(file.completeBaseName(), text.text,
                      encodingNote(text.encoding, file.fileName()));
    editor->show();
    return editor;
}

LessonEditor* OwnLessonsMenu::editCurrentLesson() {
    const auto title = ownLessonTitle(m_folder, m_currentPath);
    if (!title)
        return nullptr;
    LessonEditor* editor = openEditor();
    if (!editor->openLesson({*title, m_currentPath})) {
        delete editor;
        return nullptr;
    }
    editor->show();
    return editor;
}

// The lesson is typed in the main window: it comes in front of the editor.
void OwnLessonsMenu::practise(const std::string& path) {
    m_session.loadLesson(path);
    m_window.raise();
    m_window.activateWindow();
}

// Each open editor is closed, asking about its text; false when the teacher
// chose to go on editing.
bool OwnLessonsMenu::closeEditors() {
    for (const QPointer<LessonEditor>& editor : m_editors)
        if (editor && editor->isVisible() && !editor->close())
            return false;
    return true;
}

bool OwnLessonsMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Close && !closeEditors()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
