#pragma once
// skinmaker-cli run as a process, with private temporary and file folders.
#include "support/TestSupport.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

class CliTest : public ::testing::Test {
protected:
    CliRun Cli(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", m_temp.path()); // private build and extraction folders
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(SKIN_BINARY_DIR "/skinmaker-cli"), arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), process.readAllStandardError()};
    }
    // The look options of a full build: crop, stretch region, tiling, colour and white tab texts.
    static QStringList LookOptions()
    {
        return {"--crop", "100,50,1500,172", "--stretch", "300,50,1300,172",
                "--tile", "--color",         "#2E7BCF",   "--white-tabs"};
    }
    QString Picture(const QString& name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(qRgb(200, 120, 40));
        const QString path = m_files.file(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    // Each row and column in its own colour, so that crops can be told apart.
    QString PatternPicture(const QString& name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
        }
        const QString path = m_files.file(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QString File(const QString& name, const QByteArray& bytes)
    {
        EXPECT_TRUE(skintest::WriteAll(m_files.file(name), bytes));
        return m_files.file(name);
    }
    QString Path(const QString& name) const { return m_files.file(name); }

    QJsonObject Info(const QString& package)
    {
        const CliRun run = Cli({"info", package});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
        return document.object();
    }

    skintest::ScratchDir m_temp;
    skintest::ScratchDir m_files;
};
