#pragma once

#include <QString>
#include <string>
#include <vector>

class QAction;
class QMenuBar;

// The menu bar of the main window; every menu and item carries its control name.
struct MainMenu {
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
    QAction* Stats; // the statistics window of the journal
    QAction* Help;
    QAction* About;
};

MainMenu buildMainMenu(QMenuBar* bar);
