#include "app/QtTranslations.h"

#include "canvas/QtApp.h"

#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace {
QString Folder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool HasQtTranslations()
{
    QTranslator probe;
    return probe.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                      QStringLiteral("_"), Folder());
}
}  // namespace

TEST(QtTranslationsTest, SystemLanguageWhereQtHasItChineseOtherwise)
{
    if (!HasQtTranslations()) {
        GTEST_SKIP() << "Qt's translations are not installed";
    }
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    EXPECT_EQ(QtTranslations::Choose(QLocale(QLocale::German, QLocale::Germany), Folder()).name(),
              QStringLiteral("de_DE"));
    EXPECT_EQ(QtTranslations::Choose(QLocale(QLocale::Chinese, QLocale::Taiwan), Folder()).name(),
              QStringLiteral("zh_TW"));
    // No language set, and a language Qt has no texts for.
    EXPECT_EQ(QtTranslations::Choose(QLocale::c(), Folder()).name(), chinese.name());
    EXPECT_EQ(QtTranslations::Choose(QLocale(QLocale::Zulu, QLocale::SouthAfrica), Folder()).name(),
              chinese.name());
}

TEST(QtTranslationsTest, StandardButtonsSpeakChineseUnderTheCLocale)
{
    if (!HasQtTranslations()) {
        GTEST_SKIP() << "Qt's translations are not installed";
    }
    // Removed again at the end, so the other tests see Qt's own texts.
    const std::unique_ptr<QTranslator> installed(QtTranslations::Install(TestApp(), QLocale::c()));
    ASSERT_TRUE(installed);
    const QString cancel =
        QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text();
    QCoreApplication::removeTranslator(installed.get());
    EXPECT_TRUE(cancel.contains(QStringLiteral("取消"))) << cancel.toStdString();
}
