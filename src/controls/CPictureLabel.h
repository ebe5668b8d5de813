#pragma once
// A label that shows one picture of its own (a built-in illustration or a file), scaled
// into its whole client area. Nothing is drawn until a picture has been loaded.
#include "imaging/CSkinImage.h"

#include <QWidget>

class CPictureLabel : public QWidget {
    Q_OBJECT
public:
    explicit CPictureLabel(QWidget* parent = nullptr);

    // A built-in picture with a 2x rendition (":/res/bitmap/<id>@2x.bmp") is drawn from that
    // rendition on a screen of a device pixel ratio above 1.
    bool LoadFromResource(int id, ResourceType type);
    bool LoadFromFile(const QString& path);
    QSize GetSize() const { return m_picture->GetSize(); }
    // The label's picture; each successful load replaces the object, so a holder keeps what it got.
    const SharedPicture& GetPicture() const { return m_picture; }
    bool HasPicture() const { return m_hasPicture; }
    // Resizes the label to the picture's own size (the pages do this for their illustrations).
    void ResizeToPicture();

signals:
    // Left button released over the label.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    SharedPicture m_picture = std::make_shared<CSkinImage>();
    SharedPicture m_picture2x; // the built-in picture's 2x rendition; null when it has none
    bool m_hasPicture = false;
};
