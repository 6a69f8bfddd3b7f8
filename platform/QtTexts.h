#pragma once

#include <QCoreApplication>
#include <QString>

namespace platform {

// A text of the program's own in the player's language (see Texts.h).
inline QString QTr(const char* context, const char* source) { return QCoreApplication::translate(context, source); }

// Installs the program's translations and Qt's own for the desktop's
// language, and routes the texts of the code without Qt through them.
// English, the source, needs none.
void InstallTranslations(QCoreApplication& app);

} // namespace platform
