#include "ui/common/settings_file.h"

#include "core/regular_file.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>

namespace {

// Far more than the few switches the program keeps.
constexpr size_t kSettingsFileLimit = 1024 * 1024;

} // namespace

std::unique_ptr<QTemporaryDir> placeSettingsFile() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString file = folder + QStringLiteral("/orvanta/orvanta.conf");
    const auto read = readRegularFile(QFile::encodeName(file).toStdString(), kSettingsFileLimit);
    const auto* problem = std::get_if<FileProblem>(&read);
    if (!problem || *problem == FileProblem::Missing) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        return nullptr;
    }
    auto temporary = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, temporary->path());
    std::fprintf(stderr,
                 "orvanta: %s is not a settings file that can be read; "
                 "settings are kept for this run only\n",
                 qPrintable(file));
    return temporary;
}
