#pragma once
// A canvas item showing a PNG picture at its own size: a corner decoration.
#include "controls/CCanvasItem.h"

#include <QImage>

class CPngItem : public CCanvasItem {
public:
    void Draw(QPainter& painter, bool gamma) override;
    int Width() const override { return m_picture.width(); }
    int Height() const override { return m_picture.height(); }
    // Reads the whole file and decodes it; only a PNG picture is taken.
    bool LoadFromFile(const QString& path) override;

private:
    QImage m_picture;
};
