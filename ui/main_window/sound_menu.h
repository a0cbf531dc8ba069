#pragma once

#include <QObject>

class BackgroundMusic;
class PracticeSession;
class Prompts;
class QWidget;
struct MainMenu;

// The sound items of the settings menu: the cue sounds (`Se`), the key click
// (`Key`) and the background music (`Music`), switched in the practice session.
// Background music plays only once its file has loaded; the item then offers
// to turn it off. A file that cannot play is told and leaves the item as it was.
class SoundMenu final : public QObject {
  public:
    SoundMenu(QWidget* window, const MainMenu& menu, PracticeSession& session,
              BackgroundMusic& music, Prompts& prompts);

  private:
    void Se_Click();
    void Key_Click();
    void Music_Click();
    void tellUnplayable(const QString& file, const QString& reason);

    QWidget* m_window;
    PracticeSession& m_session;
    Prompts& m_prompts;
};
