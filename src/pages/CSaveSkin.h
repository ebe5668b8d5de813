#pragma once
// Step 6: the save page. The user names the skin and may choose a thumbnail picture (both the
// document's); the wizard's Save skin and Try now commands build the package.
#include "imaging/CSkinImage.h"
#include "pages/CWizardPage.h"
#include "platform/SkinRect.h"

class CLinkLabel;
class CPictureLabel;
class CPictureViewLabel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CSaveSkin : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int kThumbWidth = 60;
    static constexpr int kThumbHeight = 37;

    CSaveSkin(SkinDocument& document, QWidget* parent);

    void ResetPage() override;

    // The part of the header the automatic thumbnail shows: the right-hand end at 60:37.
    static SkinRect AutoThumbnailRect(const SkinRect& crop);
    // The text of the thumbnail path box while no thumbnail is chosen.
    static QString ThumbnailHint();

    // Browse (button 1028): asks for a picture and makes it the thumbnail.
    void BrowseThumbnail();
    // The status line under the skin's information: where the package was just written; an
    // empty path clears it.
    void ShowSavedPackage(const QString& path);
    QLabel* SavedLine() const { return m_savedTo; }

    bool ThumbnailChosen() const;
    QString ThumbnailPath() const;
    QLineEdit* NameEdit() const { return m_nameEdit; }
    QLineEdit* PathEdit() const { return m_pathEdit; }
    QPushButton* BrowseButton() const { return m_browse; }
    CPictureViewLabel* ThumbnailPreview() const { return m_thumb; }
    CLinkLabel* UploadLink() const { return m_upload; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The thumbnail the document has, or the one cut from its header.
    void ShowThumbnail();
    void ShowName(const QString& name);

    CPictureViewLabel* m_thumb = nullptr; // 1027
    CLinkLabel* m_upload = nullptr;       // 1062
    CPictureLabel* m_schematic = nullptr; // 1065

    QLabel* m_intro = nullptr;        // 1033
    QGroupBox* m_infoGroup = nullptr; // 1034
    QLabel* m_nameLabel = nullptr;
    QLabel* m_star = nullptr;         // 1063
    QLabel* m_error = nullptr;        // 1064
    QLineEdit* m_nameEdit = nullptr;  // 1045
    QLabel* m_nameHint = nullptr;     // 1043
    QLabel* m_previewLabel = nullptr; // 1073
    QLineEdit* m_pathEdit = nullptr;  // 1037
    QPushButton* m_browse = nullptr;  // 1028
    QLabel* m_savedTo = nullptr;
    QGroupBox* m_schematicGroup = nullptr;
};
