#pragma once
// Tests that change the locale environment: the variables are put back when the object goes.
#include <QByteArray>

#include <map>

// Puts the locale variables back as they were.
class LocaleVariables {
public:
    LocaleVariables()
    {
        for (const char* name : kNames) {
            if (qEnvironmentVariableIsSet(name))
                m_saved[name] = qgetenv(name);
        }
    }
    ~LocaleVariables()
    {
        for (const char* name : kNames) {
            if (m_saved.count(name))
                qputenv(name, m_saved[name]);
            else
                qunsetenv(name);
        }
    }
    static void Set(const QByteArray& all, const QByteArray& lang)
    {
        for (const char* name : kNames)
            qunsetenv(name);
        if (!all.isNull())
            qputenv("LC_ALL", all);
        if (!lang.isNull())
            qputenv("LANG", lang);
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LC_TIME", "LANG"};
    std::map<const char*, QByteArray> m_saved;
};
