#include "ui/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <clocale>

QTranslator* InstallQtChineseTranslation(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

bool NamesALanguage(const QByteArray& value)
{
    return !value.isEmpty() && value != "C" && value != "POSIX" && !value.startsWith("C.");
}

LocaleFallback FallBackToLocale(std::optional<UiLanguage> chosen)
{
    LocaleFallback fallback;
    bool named = false;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_TIME", "LANG"})
        named = named || NamesALanguage(qgetenv(name));
    if (named && (!chosen || *chosen == LanguageFromEnvironment()))
        return fallback;
    fallback.applied = true;
    if (qEnvironmentVariableIsSet("LC_ALL"))
        fallback.previousAll = qgetenv("LC_ALL");
    qputenv("LC_ALL",
            (LocaleNameOf(chosen.value_or(UiLanguage::Chinese)) + QStringLiteral(".UTF-8")).toLatin1());
    return fallback;
}

void RestoreLocaleEnvironment(const LocaleFallback& fallback)
{
    if (!fallback.applied)
        return;
    if (fallback.previousAll)
        qputenv("LC_ALL", *fallback.previousAll);
    else
        qunsetenv("LC_ALL");
    // The C library's locale as the application object would have set it from the environment.
    std::setlocale(LC_ALL, "");
}
