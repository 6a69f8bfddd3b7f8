#include "platform/QtTexts.h"

#include "platform/Texts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

namespace {

std::string Translate(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source).toStdString();
}

// Loads the first of the desktop's languages that the file has.
void Load(QCoreApplication& app, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(), name, "_", folder)) app.installTranslator(translator);
    else delete translator;
}

} // namespace

void InstallTranslations(QCoreApplication& app)
{
    Load(app, "qtbase", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    Load(app, "pairlet", ":/i18n");
    SetTranslator(Translate);
}

} // namespace platform
