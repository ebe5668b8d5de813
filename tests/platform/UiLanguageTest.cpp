#include "platform/UiLanguage.h"
#include "support/LocaleVariables.h"

#include <QByteArray>
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Runs TakeLanguageOption on a copy of the words and answers what is left of argv.
struct Taken {
    LanguageOption option;
    QStringList rest;
};
Taken Take(std::vector<QByteArray> words)
{
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int argc = int(words.size());
    Taken taken{TakeLanguageOption(argc, argv.data()), {}};
    for (int i = 0; i < argc; ++i)
        taken.rest << QString::fromLocal8Bit(argv[size_t(i)]);
    EXPECT_EQ(argv[size_t(argc)], nullptr);
    return taken;
}

} // namespace

TEST(UiLanguage, OptionIsTakenOutOfTheArgumentsWhereverItStands)
{
    Taken taken = Take({"prog", "--lang", "en", "render", "a.vsf", "--lang=zh", "b.png"});
    EXPECT_EQ(taken.option.language, UiLanguage::Chinese);
    EXPECT_TRUE(LanguageOptionError(taken.option).isEmpty());
    EXPECT_EQ(taken.rest, QStringList({"prog", "render", "a.vsf", "b.png"}));

    taken = Take({"prog", "info", "a.vsf"});
    EXPECT_FALSE(taken.option.language);
    EXPECT_EQ(taken.rest, QStringList({"prog", "info", "a.vsf"}));

    for (const auto& words :
         {std::vector<QByteArray>{"prog", "--lang", "fr", "x"},
          std::vector<QByteArray>{"prog", "x", "--lang"}, std::vector<QByteArray>{"prog", "--lang=", "x"}}) {
        taken = Take(words);
        EXPECT_FALSE(taken.option.language);
        EXPECT_FALSE(LanguageOptionError(taken.option).isEmpty()) << words[2].constData();
        EXPECT_EQ(taken.rest, QStringList({"prog", "x"}));
    }
}

TEST(UiLanguage, FirstLocaleVariableThatIsSetDecides)
{
    LocaleVariables saved;
    LocaleVariables::Set(QByteArray(), "en_GB.UTF-8");
    EXPECT_EQ(LanguageFromEnvironment(), UiLanguage::English);
    qputenv("LC_MESSAGES", "zh_CN.UTF-8");
    EXPECT_EQ(LanguageFromEnvironment(), UiLanguage::Chinese);
    LocaleVariables::Set("C", "en_US.UTF-8");
    EXPECT_EQ(LanguageFromEnvironment(), UiLanguage::Chinese);
    for (const QByteArray& lang : {QByteArray(), QByteArray("C.UTF-8"), QByteArray("de_DE")}) {
        LocaleVariables::Set(QByteArray(), lang);
        EXPECT_EQ(LanguageFromEnvironment(), UiLanguage::Chinese) << lang.constData();
    }
}
