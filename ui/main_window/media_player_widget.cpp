#include "ui/main_window/media_player_widget.h"

#include <QAction>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

namespace {

constexpr int kStartVolume = 50;

QString clockText(qint64 ms) {
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

bool hasSoundDevice() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

QToolButton* toolButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

MediaPlayerWidget::MediaPlayerWidget(QWidget* parent)
    : QWidget(parent), m_play(toolButton(this, QStyle::SP_MediaPlay, tr("播放"))),
      m_stop(toolButton(this, QStyle::SP_MediaStop, tr("停止"))),
      m_position(new QSlider(Qt::Horizontal, this)), m_time(new QLabel(clockText(0), this)),
      m_volume(new QSlider(Qt::Horizontal, this)), m_playAction(new QAction(tr("播放(&P)"), this)),
      m_stopAction(new QAction(tr("停止(&S)"), this)) {
    setObjectName(QStringLiteral("WindowsMediaPlayer1"));
    m_play->setObjectName(QStringLiteral("playButton"));
    m_position->setObjectName(QStringLiteral("positionSlider"));
    m_volume->setObjectName(QStringLiteral("volumeSlider"));
    m_volume->setRange(0, 100);
    m_volume->setValue(kStartVolume);
    m_volume->setMaximumWidth(80);
    m_volume->setToolTip(tr("音量"));
    auto* volumeIcon = new QLabel(this);
    volumeIcon->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(16, 16));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    for (QWidget* w : {static_cast<QWidget*>(m_play), static_cast<QWidget*>(m_stop)})
        row->addWidget(w);
    row->addWidget(m_position, 1);
    row->addWidget(m_time);
    row->addWidget(volumeIcon);
    row->addWidget(m_volume);
    connect(m_play, &QToolButton::clicked, this, &MediaPlayerWidget::togglePlay);
    connect(m_stop, &QToolButton::clicked, this, &MediaPlayerWidget::stop);
    addContextMenu();
    connect(m_position, &QSlider::sliderMoved, this, [this](int ms) {
        if (m_player)
            m_player->setPosition(ms);
    });
    connect(m_volume, &QSlider::valueChanged, this, [this](int volume) {
        if (m_output)
            m_output->setVolume(static_cast<float>(volume) / 100.0f);
    });
    QWidget::setEnabled(false);
}

MediaPlayerWidget::~MediaPlayerWidget() = default;

QMediaPlayer& MediaPlayerWidget::ensurePlayer() {
    if (m_player)
        return *m_player;
    m_player = std::make_unique<QMediaPlayer>();
    // The GStreamer backend loads media only into a player with an output, so
    // one is attached even without a sound device; playing then waits for one.
    m_output = new QAudioOutput(m_player.get());
    m_output->setVolume(static_cast<float>(m_volume->value()) / 100.0f);
    m_player->setAudioOutput(m_output);
    connect(m_player.get(), &QMediaPlayer::positionChanged, this, &MediaPlayerWidget::showPosition);
    connect(m_player.get(), &QMediaPlayer::durationChanged, this, &MediaPlayerWidget::showDuration);
    connect(m_player.get(), &QMediaPlayer::playbackStateChanged, this,
            &MediaPlayerWidget::showState);
    return *m_player;
}

void MediaPlayerWidget::close() {
    if (!m_player)
        return;
    m_player->stop();
    m_player->setSource(QUrl());
}

void MediaPlayerWidget::setUrl(const std::string& path) {
    if (path.empty()) {
        if (m_player)
            m_player->setSource(QUrl());
        return;
    }
    QMediaPlayer& player = ensurePlayer();
    player.setSource(
        QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).absoluteFilePath()));
    if (hasSoundDevice())
        player.play();
}

// The player's context menu offers the buttons' two commands.
void MediaPlayerWidget::addContextMenu() {
    m_playAction->setObjectName(QStringLiteral("playPauseAction"));
    m_stopAction->setObjectName(QStringLiteral("stopAction"));
    connect(m_playAction, &QAction::triggered, this, &MediaPlayerWidget::togglePlay);
    connect(m_stopAction, &QAction::triggered, this, &MediaPlayerWidget::stop);
    addActions({m_playAction, m_stopAction});
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void MediaPlayerWidget::stop() {
    if (m_player)
        m_player->stop();
}

void MediaPlayerWidget::togglePlay() {
    if (!m_player || !hasSoundDevice())
        return;
    if (m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
    else
        m_player->play();
}

void MediaPlayerWidget::showPosition(qint64 position) {
    if (!m_position->isSliderDown())
        m_position->setValue(static_cast<int>(position));
    m_time->setText(clockText(position) + QStringLiteral(" / ") + clockText(m_duration));
}

void MediaPlayerWidget::showDuration(qint64 duration) {
    m_duration = duration;
    m_position->setRange(0, static_cast<int>(duration));
    showPosition(m_player ? m_player->position() : 0);
}

void MediaPlayerWidget::showState() {
    const bool playing = m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
    m_play->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_play->setToolTip(playing ? tr("暂停") : tr("播放"));
    m_playAction->setText(playing ? tr("暂停(&P)") : tr("播放(&P)"));
}
