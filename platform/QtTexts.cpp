#include "platform/QtTexts.h"

#include "platform/Texts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

namespace {

// "" where no installed translation knows the text.
std::string Translate(const char* context, const char* source, const char* disambiguation, int n)
{
    const QString translated = QCoreApplication::translate(context, source, disambiguation, n);
    QString untranslated = QString::fromUtf8(source);
    if (n >= 0) untranslated.replace(QLatin1String("%n"), QString::number(n));
    return translated == untranslated ? std::string() : translated.toStdString();
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
