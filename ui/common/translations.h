#pragma once

#include <QString>

// Makes Qt's own texts (dialog buttons, the file, font and colour dialogs)
// Simplified Chinese. Call once, after the application object exists and
// before any window is made. Without Qt's Chinese translation installed the
// program runs on with Qt's English texts.
void installTranslations();

// Loads Qt's Chinese translation from a folder; false when it is not there.
bool installTranslationsFrom(const QString& folder);
