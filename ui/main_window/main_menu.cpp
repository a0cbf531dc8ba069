#include "ui/main_window/main_menu.h"

#include "core/lesson_catalogue.h"
#include "ui/main_window/switch_captions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* menu(QWidget* parent, const char* name, const QString& caption) {
    auto* m = new QMenu(caption, parent);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* item(QMenu* menu, const char* name, const QString& caption,
              const QKeySequence& shortcut = {}) {
    return addMenuItem(menu, name, caption, shortcut);
}

void separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void addLessons(QMenu* volume, int first, int last, std::vector<MainMenu::LessonItem>& items) {
    for (int n = first; n <= last; ++n) {
        for (char letter : {'A', 'B'}) {
            const LessonEntry entry = lessonEntry(n, letter);
            QAction* action =
                item(volume, entry.itemName.c_str(), QString::fromStdU16String(entry.caption));
            items.push_back({action, entry.path});
        }
    }
}

} // namespace

QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut, QAction* before) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    menu->insertAction(before, action);
    return action;
}

QMenu* addSubmenu(QMenu* parent, const char* name, const QString& caption, QAction* before) {
    QMenu* submenu = menu(parent, name, caption);
    parent->insertMenu(before, submenu);
    return submenu;
}

MainMenu buildMainMenu(QMenuBar* bar) {
    MainMenu m{};
    QMenu* lesson = menu(bar, "Lesson", QStringLiteral("课程(&K)"));
    QMenu* junior1 = menu(lesson, "Junior1", QStringLiteral("新版标日初级(上)"));
    QMenu* junior2 = menu(lesson, "Junior2", QStringLiteral("新版标日初级(下)"));
    addLessons(junior1, 1, kLessonCount / 2, m.lessons);
    addLessons(junior2, kLessonCount / 2 + 1, kLessonCount, m.lessons);
    lesson->addMenu(junior1);
    lesson->addMenu(junior2);
    m.morelesson = item(lesson, "morelesson", QStringLiteral("更多课文下载"));
    separator(lesson, "noman1");
    m.Openfile = item(lesson, "Openfile", QStringLiteral("打开(&O)..."));
    m.Again = item(lesson, "Again", QStringLiteral("再练一次(&R)"), QKeySequence(Qt::Key_F5));
    m.Again->setEnabled(false);
    separator(lesson, "noman");
    m.quit = item(lesson, "quit", QStringLiteral("退出(&Q)"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* set = menu(bar, "Set", QStringLiteral("设置(&P)"));
    QMenu* fonts = menu(set, "Char", QStringLiteral("字体(&F)"));
    m.uper = item(fonts, "uper", QStringLiteral("上面文本框字体(&U)"),
                  QKeySequence(Qt::CTRL | Qt::Key_U));
    m.Lower = item(fonts, "Lower", QStringLiteral("下面文本框字体(&L)"),
                   QKeySequence(Qt::CTRL | Qt::Key_L));
    set->addMenu(fonts);
    QMenu* sounds = menu(set, "SouEfe", QStringLiteral("音效开关(&E)"));
    m.Se = item(sounds, "Se", startCaption(MenuItem::Se), QKeySequence(Qt::CTRL | Qt::Key_E));
    m.Key = item(sounds, "Key", startCaption(MenuItem::Key), QKeySequence(Qt::CTRL | Qt::Key_K));
    set->addMenu(sounds);
    m.Music = item(set, "Music", startCaption(MenuItem::Music));
    m.Yomi = item(set, "Yomi", QStringLiteral("显示读音(&R)"));

    QMenu* score = menu(bar, "Score", QStringLiteral("记录(&S)"));
    m.Sav = item(score, "Sav", QStringLiteral("记录当前成绩(&S)"), QKeySequence(Qt::Key_F3));
    m.Sav->setEnabled(false);
    m.See = item(score, "See", QStringLiteral("查看记录(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m.Delet =
        item(score, "Delet", QStringLiteral("清空记录(&D)"), QKeySequence(Qt::CTRL | Qt::Key_D));
    separator(score, "noman2");
    m.Stats = item(score, "Stats", QStringLiteral("学习统计(&T)..."), QKeySequence(Qt::Key_F4));
    m.Mistakes = item(score, "Mistakes", QStringLiteral("本次练习的错误(&W)"));
    m.Mistakes->setEnabled(false);

    QMenu* help = menu(bar, "Hel", QStringLiteral("帮助(&H)"));
    m.Help = item(help, "Help", QStringLiteral("帮助(&H)"), QKeySequence(Qt::Key_F1));
    m.About = item(help, "About", QStringLiteral("关于(&T)"), QKeySequence(Qt::CTRL | Qt::Key_T));

    for (QMenu* top : {lesson, set, score, help})
        bar->addMenu(top);
    m.Lesson = lesson;
    m.Set = set;
    m.Score = score;
    m.Hel = help;
    return m;
}
