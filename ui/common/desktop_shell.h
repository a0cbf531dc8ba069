#pragma once

#include <QString>
#include <QStringList>

// The desktop's handlers for web addresses and documents. In recording mode
// (for tests) requests are only written down.
class DesktopShell {
  public:
    // Opens a web address in the default browser; a failure is silent.
    void openAddress(const QString& address);
    // Opens a local document with its desktop handler, as a process of its own.
    // False if the desktop has no handler for it.
    bool openDocument(const QString& path);

    // Recording mode: requests are written down, and documents answer as if the
    // desktop had a handler or not.
    void setRecording(bool recording, bool documentHandler = true) {
        m_recording = recording;
        m_documentHandler = documentHandler;
    }
    const QStringList& requests() const { return m_requests; }

  private:
    bool m_recording = false;
    bool m_documentHandler = true;
    QStringList m_requests;
};
