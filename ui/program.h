#pragma once

#include <QString>
#include <memory>

class Form1;
struct MainWindowServices;

// The program's own services for a program folder: wave players on preloaded
// cue effects, the background music on a sound of its own, the dialogs, the desktop
// shell, the system clock and the history file.
MainWindowServices programServices(const QString& programFolder);

// Installs the translations and the font substitutions and makes the main window, which takes the
// services, centred on its screen and ready to show.
std::unique_ptr<Form1> makeMainWindow(MainWindowServices services);

// The program as it starts: its own services, the main window that owns them
// and the practice journal beside it.
std::unique_ptr<Form1> makeMainWindow(const QString& programFolder);
