#pragma once
// The language the programs speak: Chinese, the language their texts are written in, or English
// from the translation catalogues. The system's locale chooses it unless --lang names one.
#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

enum class UiLanguage { Chinese, English };

// "zh" or "en"; nullopt for anything else.
std::optional<UiLanguage> LanguageFromName(const QString& name);

// The language the locale environment asks for: the first of LC_ALL, LC_MESSAGES and LANG that
// names a language decides; English when it starts with "en", else (another language, C, POSIX
// or nothing set) Chinese.
UiLanguage LanguageFromEnvironment();

// Removes "--lang NAME" and "--lang=NAME" from argv (shifting the rest down and lowering argc), so
// that nothing after it sees the option. Call it before the application object exists.
struct LanguageOption {
    std::optional<UiLanguage> language; // the last one named, when it was valid
    bool missingName = false;           // "--lang" ended the arguments or "--lang=" had no name
    QString unknownName;                // the last name that is neither zh nor en
};
LanguageOption TakeLanguageOption(int& argc, char** argv);
// What was wrong with the option, in the installed language; empty when nothing was.
QString LanguageOptionError(const LanguageOption& option);

// The locale name Qt's own dialogs and formats use for a language ("zh_CN" or "en_US").
QString LocaleNameOf(UiLanguage language);

// Makes the application speak the language: for English it installs each named catalogue from
// the program's resources (":/i18n/<name>_en.qm"); Chinese texts need none. The default QLocale
// follows the language. Answers the catalogues that could not be loaded.
QStringList InstallUiLanguage(QCoreApplication& app, UiLanguage language, const QStringList& catalogues);
