#pragma once
// A corner decoration's picture: a PNG shown at its own size.
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

class QPainter;

class CPngItem {
public:
    // Reads the whole file and decodes it; only a PNG picture is taken. False when the file
    // cannot be read as one; the item keeps what it had.
    bool LoadFromFile(const QString& path);
    void Draw(QPainter& painter, QPoint topLeft) const;
    QSize Size() const { return m_picture.size(); }

private:
    QImage m_picture;
};
