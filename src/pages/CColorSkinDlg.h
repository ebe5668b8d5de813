#pragma once
// Step 2: the colour page. The main colour comes from ten preset swatches or the colour dialog,
// the tab text colour from a black and a white swatch; the preview follows every choice.
#include "imaging/ColorModel.h"
#include "pages/CWizardPage.h"

#include <array>

class CColorPreviewCtrl;
class CSkinButton2;
class QGroupBox;
class QLabel;
class QPushButton;

class CColorSkinDlg : public CWizardPage {
    Q_OBJECT
public:
    // Control ids.
    static constexpr int kFirstPresetId = 30000; // presets 30000..30009, left to right
    static constexpr int kPresetCount = 10;
    static constexpr int kBlackTabId = 30010;
    static constexpr int kWhiteTabId = 30011;
    static constexpr int kMoreColorsId = 20000;
    static constexpr int kCustomSwatchId = 20001;

    explicit CColorSkinDlg(QWidget* parent);

    void LoadFromProject(SkinProject& project) override;
    void SaveToProject(SkinProject& project) override;
    void ResetPage() override;
    void ShowOpenedProject(SkinProject& project) override;

    // The colour a preset swatch shows, and the main colour choosing it sets.
    static ColorRef PresetShownColor(int index);
    static ColorRef PresetMainColor(int index);
    // The colour a main colour comes back as after it was saved and reopened.
    static ColorRef ReopenedColor(ColorRef colour);

    ColorRef MainColor() const { return m_mainColor; }
    bool WhiteTabText() const { return m_whiteTabText; }

    // Controls, by id (swatches and the more-colours button), and the preview.
    CSkinButton2* Swatch(int id) const;
    QPushButton* MoreColorsButton() const { return m_moreColors; }
    CColorPreviewCtrl* Preview() const { return m_preview; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ChoosePreset(int index);
    void ChooseTabText(bool white);
    void ChooseMoreColors();
    void SelectOnly(CSkinButton2* swatch);
    void ApplyMainColor(ColorRef colour);

    CColorPreviewCtrl* m_preview = nullptr;
    std::array<CSkinButton2*, kPresetCount> m_presets{};
    CSkinButton2* m_custom = nullptr;
    QPushButton* m_moreColors = nullptr;
    CSkinButton2* m_blackTab = nullptr;
    CSkinButton2* m_whiteTab = nullptr;
    QGroupBox* m_group = nullptr;
    QLabel* m_mainLabel = nullptr;
    QLabel* m_tabLabel = nullptr;
    QLabel* m_previewLabel = nullptr;
    ColorRef m_mainColor = 0;
    bool m_whiteTabText = false;
};
