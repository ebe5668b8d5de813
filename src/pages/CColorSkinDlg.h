#pragma once
// Step 2: the colour page. The main colour comes from ten preset swatches or the colour dialog,
// the tab text colour from a black and a white swatch; the preview follows every choice. A third
// row offers the main colours the header picture suggests.
#include "imaging/ColorModel.h"
#include "imaging/ColorSuggest.h"
#include "pages/CWizardPage.h"

#include <array>
#include <vector>

class CColorPreviewCtrl;
class CSkinImage;
class CSkinButton2;
class CSwatchRow;
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
    static constexpr int kFirstSuggestionId = 30012; // suggestions 30012..30015, best first
    static constexpr int kSuggestionCount = kMaxColorSuggestions;

    CColorSkinDlg(SkinDocument& document, QWidget* parent);

    void ResetPage() override;

    // The colour a preset swatch shows, and the main colour choosing it sets.
    static ColorRef PresetShownColor(int index);
    static ColorRef PresetMainColor(int index);
    // The colour a main colour comes back as after it was saved and reopened.
    static ColorRef ReopenedColor(ColorRef colour);

    // The document's colours, as the page shows them.
    ColorRef MainColor() const;
    bool WhiteTabText() const;
    // The colours the suggestion swatches show, best first.
    const std::vector<ColorSuggestion>& Suggestions() const { return m_suggested; }

    // Controls, by id (swatches, suggestion swatches included, and the more-colours button), and the preview.
    CSkinButton2* Swatch(int id) const;
    QPushButton* MoreColorsButton() const { return m_moreColors; }
    CColorPreviewCtrl* Preview() const { return m_preview; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The swatches and the preview show the document's colours.
    void ShowColours();
    // The preview shows the document's header; the suggestions follow it while the page is shown.
    void ShowLook();
    ColorRef SwatchColour(const CSkinButton2* swatch) const;
    CSkinButton2* SwatchMatching(ColorRef colour) const;
    void ChoosePreset(int index);
    void ChooseTabText(bool white);
    void ChooseMoreColors();
    void ChooseSuggestion(int index);
    // Suggestions for a picture and crop, computed only when either changed since the last time.
    void ShowSuggestions(const CSkinImage* picture, const SkinRect& crop);
    void ClearSuggestions();
    CSkinButton2* SuggestionMatching(ColorRef colour) const;
    void SelectOnly(CSkinButton2* swatch);
    // Shows colour in the custom square, which can be clicked from now on.
    void SetCustomColor(ColorRef colour);

    CColorPreviewCtrl* m_preview = nullptr;
    std::array<CSkinButton2*, kPresetCount> m_presets{};
    CSkinButton2* m_custom = nullptr;
    QPushButton* m_moreColors = nullptr;
    CSkinButton2* m_blackTab = nullptr;
    CSkinButton2* m_whiteTab = nullptr;
    std::array<CSkinButton2*, kSuggestionCount> m_suggestions{};
    std::array<CSwatchRow*, 3> m_rows{}; // main colour, tab text, suggestions
    std::vector<ColorSuggestion> m_suggested;
    qint64 m_suggestedPicture = 0; // cache key of the picture suggested for; 0 = none
    SkinRect m_suggestedCrop;
    QGroupBox* m_group = nullptr;
    QLabel* m_mainLabel = nullptr;
    QLabel* m_tabLabel = nullptr;
    QLabel* m_suggestLabel = nullptr;
    QLabel* m_previewLabel = nullptr;
};
