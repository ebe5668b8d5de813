#include "platform/UiLanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <cstring>

std::optional<UiLanguage> LanguageFromName(const QString& name)
{
    if (name == QLatin1String("zh"))
        return UiLanguage::Chinese;
    if (name == QLatin1String("en"))
        return UiLanguage::English;
    return std::nullopt;
}

UiLanguage LanguageFromEnvironment()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (value.isEmpty())
            continue;
        return value.startsWith("en") ? UiLanguage::English : UiLanguage::Chinese;
    }
    return UiLanguage::Chinese;
}

LanguageOption TakeLanguageOption(int& argc, char** argv)
{
    LanguageOption option;
    const auto take = [&option](const char* name) {
        const QString text = QString::fromLocal8Bit(name);
        option.language = LanguageFromName(text);
        option.unknownName = option.language || text.isEmpty() ? QString() : text;
        option.missingName = text.isEmpty();
    };
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") == 0)
            take(i + 1 < argc ? argv[++i] : "");
        else if (std::strncmp(argv[i], "--lang=", 7) == 0)
            take(argv[i] + 7);
        else
            argv[kept++] = argv[i];
    }
    for (int i = kept; i < argc; ++i)
        argv[i] = nullptr;
    argc = kept;
    return option;
}

QString LanguageOptionError(const LanguageOption& option)
{
    if (option.missingName)
        return QCoreApplication::translate("UiLanguage", "--lang 需要 zh 或 en");
    if (!option.unknownName.isEmpty())
        return QCoreApplication::translate("UiLanguage", "--lang 只能是 zh 或 en，而不是“%1”")
            .arg(option.unknownName);
    return {};
}

QString LocaleNameOf(UiLanguage language)
{
    return language == UiLanguage::English ? QStringLiteral("en_US") : QStringLiteral("zh_CN");
}

QStringList InstallUiLanguage(QCoreApplication& app, UiLanguage language, const QStringList& catalogues)
{
    QLocale::setDefault(QLocale(LocaleNameOf(language)));
    QStringList missing;
    if (language == UiLanguage::Chinese)
        return missing;
    for (const QString& catalogue : catalogues) {
        auto* translator = new QTranslator(&app);
        if (!translator->load(catalogue + QStringLiteral("_en"), QStringLiteral(":/i18n")) ||
            !QCoreApplication::installTranslator(translator)) {
            delete translator;
            missing << catalogue;
        }
    }
    return missing;
}
