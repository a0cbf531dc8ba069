#pragma once

#include <QKeySequence>
#include <QString>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

// The menu bar of the main window; every menu and item carries its control
// name. A feature's items are made by the feature from the menus here, with
// addMenuItem and addSubmenu, at the place it gives.
struct MainMenu {
    QMenu* Lesson; // 课程
    QMenu* Set;    // 设置
    QMenu* Score;  // 记录
    QMenu* Hel;    // 帮助

    struct LessonItem {
        QAction* action;
        std::string path;
    };
    std::vector<LessonItem> lessons; // Jlesson1_A ... Jlesson48_B
    QAction* morelesson;
    QAction* Openfile;
    QAction* Again; // loads the lesson of the last attempt in the journal
    QAction* quit;
    QAction* uper;
    QAction* Lower;
    QAction* Se;
    QAction* Key;
    QAction* Music;
    QAction* Yomi; // readings over the lesson's kanji
    QAction* Sav;
    QAction* See;
    QAction* Delet;
    QAction* Stats;    // the statistics window of the journal
    QAction* Mistakes; // the last attempt's mistakes, from the journal
    QAction* Help;
    QAction* About;
};

MainMenu buildMainMenu(QMenuBar* bar);

// An item named `name` in `menu`, above `before` or at the end.
QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {}, QAction* before = nullptr);
// A submenu named `name` in `menu`, above `before` or at the end.
QMenu* addSubmenu(QMenu* menu, const char* name, const QString& caption, QAction* before = nullptr);
