#pragma once
// A picture label that can also show a region of a picture owned by someone else
// (the save page shows the thumbnail cut from the header this way).
#include "controls/CPictureLabel.h"

class CPictureViewLabel : public CPictureLabel {
    Q_OBJECT
public:
    explicit CPictureViewLabel(QWidget* parent = nullptr);

    // Borrows picture; it must outlive the label or be replaced / cleared first.
    void SetSourcePicture(SharedPicture picture);
    void SetSourceRect(const SkinRect& source);
    // Forgets the borrowed picture and the region and releases the label's own picture.
    void Clear();

    const SharedPicture& SourcePicture() const { return m_source; }
    SkinRect SourceRect() const { return m_sourceRect; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SharedPicture m_source;
    SkinRect m_sourceRect;
};
