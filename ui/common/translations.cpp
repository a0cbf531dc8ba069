#include "ui/common/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void installTranslations() {
    installTranslationsFrom(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool installTranslationsFrom(const QString& folder) {
    auto* qtTexts = new QTranslator(QCoreApplication::instance());
    if (!qtTexts->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        delete qtTexts;
        return false;
    }
    QCoreApplication::installTranslator(qtTexts);
    return true;
}
