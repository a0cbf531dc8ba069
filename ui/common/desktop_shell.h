#pragma once

#include <QString>
#include <QStringList>

// The desktop's handlers for web addresses and documents. In recording mode
// (for tests) requests are only written down.
class DesktopShell {
  public:
    // Opens a web address in the default browser. False if the desktop has
    // no browser to open it with.
    bool openAddress(const QString& address);
    // Opens a local document with its desktop handler, as a process of its own.
    // False if the desktop has no handler for it.
    bool openDocument(const QString& path);

    // Recording mode: requests are written down, and addresses and documents
    // answer as if the desktop had a handler for them or not.
    void setRecording(bool recording, bool handler = true) {
        m_recording = recording;
        m_handler = handler;
    }
    const QStringList& requests() const { return m_requests; }

  private:
    bool m_recording = false;
    bool m_handler = true;
    QStringList m_requests;
};
