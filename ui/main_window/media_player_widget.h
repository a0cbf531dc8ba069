#pragma once

#include "core/ports.h"

#include <QWidget>
#include <memory>

class QAction;
class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;

// `WindowsMediaPlayer1`: plays the lesson's recording with a full control bar
// (play/pause, stop, position with elapsed and total time, volume) and a
// context menu of play/pause and stop. New media
// starts by itself, once, at volume 50. Without a sound device it still loads
// the media, silently. The Qt player is made on first use, to keep start-up quick.
class MediaPlayerWidget final : public QWidget, public MediaPlayer {
    Q_OBJECT
  public:
    explicit MediaPlayerWidget(QWidget* parent = nullptr);
    ~MediaPlayerWidget() override;

    void setEnabled(bool enabled) override { QWidget::setEnabled(enabled); }
    void close() override;
    void setUrl(const std::string& path) override;

    // Stops playing, as the stop button does.
    void stop();

    // The Qt player, or null while no media was ever given.
    QMediaPlayer* player() const { return m_player.get(); }

  private:
    QMediaPlayer& ensurePlayer();
    void addContextMenu();
    void togglePlay();
    void showPosition(qint64 position);
    void showDuration(qint64 duration);
    void showState();

    std::unique_ptr<QMediaPlayer> m_player;
    QAudioOutput* m_output = nullptr;
    QToolButton* m_play;
    QToolButton* m_stop;
    QSlider* m_position;
    QLabel* m_time;
    QSlider* m_volume;
    QAction* m_playAction;
    QAction* m_stopAction;
    qint64 m_duration = 0;
};
