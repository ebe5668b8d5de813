#pragma once
// Step 1: the header image page. The user chooses a picture and cuts the header out of it
// with the crop control, or chooses a skin package to edit, which the wizard opens. The picture
// and the crop are the document's; the page shows them. Pictures are decoded on a worker thread;
// the newest choice wins.
#include "imaging/CSkinImage.h"
#include "pages/CWizardPage.h"
#include "platform/SkinRect.h"

#include <QFuture>
#include <QString>

class CLinkLabel;
class CPictureCtrl;
class CPictureLabel;
class CPreviewCtrl;
class QGroupBox;
class QLineEdit;
class QPushButton;

class CSkinHeadDlg : public CWizardPage {
    Q_OBJECT
public:
    CSkinHeadDlg(SkinDocument& document, QWidget* parent);
    ~CSkinHeadDlg() override;

    // Moves the crop frame by (dx, dy) pixels (the wizard forwards the arrow keys on step 1).
    void NudgeCrop(int dx, int dy);

    void ResetPage() override;
    // A picture still loading is waited for and taken (Next during a load takes it).
    void FinishLoading();

    // What the user chose, as Browse does: a path ending in ".vsf" (in any case) goes to the wizard
    // as a package, anything else is loaded as a picture. Dropping a file does the same.
    void OpenChosenFile(const QString& path);
    // Starts loading a picture on a worker thread; the page shows the hint meanwhile.
    void ChoosePicture(const QString& path);

    // State for the wizard and for tests.
    QString PicturePath() const;
    SkinRect CropRect() const;
    int GreyAreaTop() const { return m_greyTop; }
    bool IsLoading() const { return m_loadId != 0; }
    CPictureCtrl* CropControl() const { return m_crop; }
    CPreviewCtrl* Preview() const { return m_preview; }

    static const char* const kPictureFilter;
    static const char* const kPackageFilter;
    static const char* const kBrowseFilter;

signals:
    // A picture is shown and cropped: the wizard may go on.
    void pictureReady();
    // No picture is shown any more.
    void pictureGone();
    // The user chose a skin package to edit.
    void openPackageRequested(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Browse();
    void ChoosePictureWithDialog();
    void ChoosePackageWithDialog();
    void StartLoad(const QString& path);
    void FinishLoad(int loadId, SharedPicture picture);
    // A decoded picture goes to the document; a failed load leaves it as it was.
    void ApplyLoad(const QString& path, SharedPicture picture);
    // The document's picture or crop changed: the controls show them.
    void ShowPicture();
    void ShowCrop();
    void ShowIntroduction(bool show);
    int IntroductionBottom() const;

    // Controls, named by the numbers the behaviour refers to.
    QGroupBox* m_group1016 = nullptr;
    QLineEdit* m_hint1025 = nullptr;
    QPushButton* m_button1005 = nullptr;
    QWidget* m_text1056 = nullptr;
    QWidget* m_text1057 = nullptr;
    QWidget* m_text1058 = nullptr;
    QWidget* m_text1038 = nullptr;
    QWidget* m_text1059 = nullptr;
    CLinkLabel* m_link1060 = nullptr;
    QGroupBox* m_diagramBox1068 = nullptr;
    CPictureLabel* m_diagram1065 = nullptr;
    QWidget* m_previewLabel = nullptr;
    CPictureCtrl* m_crop = nullptr;
    CPreviewCtrl* m_preview = nullptr;

    int m_greyTop = 0;

    // Loading: one worker at a time decodes into a picture of its own. A choice made meanwhile
    // waits as the pending path; the running load's result is then dropped.
    QFuture<SharedPicture> m_load;
    int m_loadId = 0; // the running load; 0 when none runs
    int m_lastLoadId = 0;
    int m_loadGeneration = 0; // m_generation when the running load started
    QString m_loadPath;
    QString m_pendingPath;
    bool m_hasPending = false;
    int m_generation = 0;
};
