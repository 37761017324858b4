#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void installJapaneseTranslations()
{
    static bool done = false;
    if (done || !QCoreApplication::instance())
        return;
    done = true;
    // qtbase: file, print, input and message dialogs; qt_help: the search
    // box of the help window.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_ja", "qt_help_ja"}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QString::fromUtf8(name), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}
