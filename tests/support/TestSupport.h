#pragma once
// Shared helpers for tests: private scratch folders and small file utilities.
#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class CSkinImage;

namespace skintest {

// A fresh private folder that is removed with the object.
class ScratchDir {
public:
    ScratchDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

QByteArray ReadAll(const QString& path);
// The member names of a ZIP package in archive order; empty when it cannot be opened.
QStringList MemberNames(const QString& package);
bool WriteAll(const QString& path, const QByteArray& bytes);
// The bytes of a PNG picture of the size, half-transparent red.
QByteArray PngPicture(int width, int height);
// A decoded picture of one colour, as a finished load hands it to the document (1400 x 122 sky
// blue by default, a header of twice the player's size).
std::shared_ptr<CSkinImage> PlainPicture(int width = 1400, int height = 122,
                                         QRgb colour = qRgb(40, 120, 200));
// The bytes of an uncompressed flash movie with a stage of the size in pixels and one empty frame.
QByteArray SwfMovie(int width, int height);
// Builds the sample picture into a package at path with skinmaker-cli, the sample clock control on
// the top left corner ("lefttop=<clock.swf><placement>"). Empty when it worked, else why not.
QString BuildSamplePackageWithControl(const QString& path, const QString& name,
                                      const QString& placement = {});

} // namespace skintest
