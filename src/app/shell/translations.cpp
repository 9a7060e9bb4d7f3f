#include "app/shell/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zorvane::app {

bool installToolkitTranslation(QCoreApplication& application) {
    // The catalogue "qt" takes in the base module's texts, the print dialogs' among them.
    auto* translator = new QTranslator(&application);
    const QLocale chinese(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
    if (!translator->load(chinese, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    // The file dialog names file types in the default locale's language.
    QLocale::setDefault(chinese);
    return true;
}

} // namespace zorvane::app
