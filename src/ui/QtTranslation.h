#pragma once
// Qt's own texts (message box buttons, file and colour dialogs) in Chinese, to match the wizard,
// and the locale for dates and numbers: the chosen language's, else the system's, else Chinese.
#include "platform/UiLanguage.h"

#include <QByteArray>
#include <optional>

class QCoreApplication;
class QTranslator;

// False for an unset or empty locale variable and for "C", "C.<codeset>" and "POSIX": values
// that name no language.
bool NamesALanguage(const QByteArray& value);

// Qt reads the system locale (file dialog dates, among others) from the environment once, when
// the application object is made. When --lang chose a language other than the environment's, or
// LC_ALL, LC_MESSAGES, LC_TIME and LANG name no language (then Chinese), FallBackToLocale sets
// LC_ALL to that language for it to read and returns what LC_ALL was; call it before the
// application object exists, and
// RestoreLocaleEnvironment with its answer once the object exists, so that the C library and
// the programs the wizard starts see the environment as it was.
struct LocaleFallback {
    bool applied = false;
    std::optional<QByteArray> previousAll; // LC_ALL before, nullopt when it was unset
};
LocaleFallback FallBackToLocale(std::optional<UiLanguage> chosen = std::nullopt);
void RestoreLocaleEnvironment(const LocaleFallback& fallback);

// Loads Qt's Chinese translation from the Qt installation and installs it on app, which owns it;
// nullptr when the translation is not installed (Qt's texts then stay English).
QTranslator* InstallQtChineseTranslation(QCoreApplication& app);
