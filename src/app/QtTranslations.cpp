#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace QtTranslations {
namespace {
const QString kCatalogue = QStringLiteral("qtbase");

bool HasCatalogue(const QLocale& locale, const QString& folder)
{
    if (locale.language() == QLocale::C) {
        return false;
    }
    QTranslator probe;
    return probe.load(locale, kCatalogue, QStringLiteral("_"), folder);
}
}  // namespace

QLocale Choose(const QLocale& system, const QString& folder)
{
    return HasCatalogue(system, folder) ? system : QLocale(QLocale::Chinese, QLocale::China);
}

QTranslator* Install(QCoreApplication& app, const QLocale& system)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(Choose(system, folder), kCatalogue, QStringLiteral("_"), folder)) {
        return nullptr;
    }
    // The application owns it from here and keeps it installed for its life.
    translator->setParent(&app);
    if (!QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    return translator.release();
}

}  // namespace QtTranslations
