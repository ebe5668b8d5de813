#pragma once
// Package tests run with a private temporary folder, so that tests running side by side never
// share the build and extraction folders.
#include "support/TestSupport.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

class PackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldTemp = qgetenv("TMPDIR");
        m_hadTemp = qEnvironmentVariableIsSet("TMPDIR");
        qputenv("TMPDIR", m_temp.path().toLocal8Bit());
    }
    void TearDown() override
    {
        if (m_hadTemp)
            qputenv("TMPDIR", m_oldTemp);
        else
            qunsetenv("TMPDIR");
    }

    // A picture whose columns differ, so that cuts at different places give different pixels.
    QString MakePicture(const QString& name, int width, int height, const char* format = "BMP")
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int x = 0; x < width; ++x) {
            for (int y = 0; y < height; ++y)
                image.setPixel(x, y, qRgb(x % 256, (x / 256 * 40 + y) % 256, 90));
        }
        const QString path = m_files.file(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    QString MakeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_files.file(name);
        EXPECT_TRUE(skintest::WriteAll(path, bytes));
        return path;
    }
    QString Output(const QString& name) const { return m_files.file(name); }

private:
    skintest::ScratchDir m_temp;
    skintest::ScratchDir m_files;
    QByteArray m_oldTemp;
    bool m_hadTemp = false;
};
