#pragma once
// A label that shows one picture of its own (a built-in illustration or a file), scaled
// into its whole client area. Nothing is drawn until a picture has been loaded.
#include "imaging/CSkinImage.h"

#include <QWidget>

class CPictureLabel : public QWidget {
    Q_OBJECT
public:
    explicit CPictureLabel(QWidget* parent = nullptr);

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
    bool m_hasPicture = false;
};
