// The checked-in sample movies are exactly what tools/swfgen writes.
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

TEST(SampleMovies, RegeneratingGivesTheSameBytes)
{
    skintest::ScratchDir out;
    QProcess generator;
    generator.start(QStringLiteral("python3"),
                    {QStringLiteral(SKIN_SOURCE_DIR "/tools/swfgen/swfgen.py"), out.path()});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    const QDir samples(QStringLiteral(SKIN_SOURCE_DIR "/res/flash"));
    const QStringList written = QDir(out.path()).entryList(QDir::Files);
    EXPECT_EQ(written, samples.entryList({"*.swf"}, QDir::Files));
    for (const QString& name : written)
        EXPECT_EQ(skintest::ReadAll(out.file(name)), skintest::ReadAll(samples.filePath(name)))
            << name.toStdString();
}
