#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;
class QTranslator;

// Qt's own texts (the buttons of the file dialogs, the overwrite question,
// the standard message-box buttons) in the system's language, so that they
// do not come up in English beside the program's Chinese texts. Where Qt has
// no translation for that language, or no language is set (the C locale),
// Chinese is used, the language of the program's own texts.
namespace QtTranslations {

// The locale Qt's texts are loaded for: `system` when Qt has a translation
// for it in `folder`, otherwise simplified Chinese.
QLocale Choose(const QLocale& system, const QString& folder);

// Loads Qt's translation for Choose(system, Qt's translations folder) and
// installs it in `app`, which owns it and keeps it installed until the
// application ends. Returns it, or nullptr when nothing could be loaded (the
// texts then stay English).
QTranslator* Install(QCoreApplication& app, const QLocale& system = QLocale::system());

}  // namespace QtTranslations
