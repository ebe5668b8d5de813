#include "pages/CColorSkinDlg.h"

#include "controls/CColorPreviewCtrl.h"
#include "controls/CSkinButton2.h"
#include "controls/CSwatchRow.h"
#include "imaging/CSkinImage.h"
#include "imaging/ColorNames.h"
#include "skin/SkinDocument.h"
#include "ui/CDialogProvider.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

// Preset main colours as hue (in 240ths), lightness, saturation; the first is "no colour".
struct PresetHsl {
    int hue;
    double lightness;
    double saturation;
};
constexpr std::array<PresetHsl, CColorSkinDlg::kPresetCount> kPresets = {{
    {0, 0, 0},
    {145, 0.5, 0.45},
    {201, 0.6, 0.44},
    {225, 0.5, 0.5},
    {89, 0.6, 0.3},
    {6, 0.6, 0.45},
    {30, 0.5, 0.5},
    {110, 0.6, 0.35},
    {89, 0.7, 0.01},
    {18, 0.5, 0.5},
}};

// The "no colour" swatch shows a light blue.
constexpr ColorRef kNoColorSwatch = 0xFFE8BA;

constexpr int kSwatchSize = 20;
constexpr int kSwatchPitch = 24;
constexpr int kSwatchLeft = 150;
constexpr int kMainRowTop = 57;
constexpr int kTabRowTop = 85;
constexpr int kSuggestRowTop = 113;
constexpr int kGroupTop = 35;
constexpr int kGroupBottom = 143; // below the suggestion row, which pushed the rest down by 28
constexpr int kGreyTop = kGroupBottom + 5;

void SetSwatchColor(CSkinButton2* swatch, ColorRef colour)
{
    swatch->SetColor(255, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Says which colour the swatch stands for, in its tooltip and to screen readers.
void DescribeSwatch(CSkinButton2* swatch, const QString& text)
{
    swatch->setToolTip(text);
    swatch->setAccessibleName(text);
}

CSkinButton2* MakeSwatch(QWidget* parent, int id, int left, int top)
{
    auto* swatch = new CSkinButton2(parent);
    swatch->setObjectName(QStringLiteral("swatch%1").arg(id));
    swatch->setGeometry(left, top, kSwatchSize, kSwatchSize);
    return swatch;
}

} // namespace

CColorSkinDlg::CColorSkinDlg(SkinDocument& document, QWidget* parent) : CWizardPage(130, document, parent)
{
    const QFont normal = UiFont(12);
    CreateTitle(tr("配置颜色"));

    m_group = new QGroupBox(tr("为皮肤配置主体颜色和标签页颜色"), this);
    m_group->setFont(normal);
    m_mainLabel = new QLabel(tr("选择主体颜色："), this);
    m_tabLabel = new QLabel(tr("选择标签文字颜色："), this);
    m_suggestLabel = new QLabel(tr("图片推荐颜色："), this);
    m_previewLabel = new QLabel(tr("预览："), this);
    for (QLabel* label : {m_mainLabel, m_tabLabel, m_suggestLabel, m_previewLabel}) {
        label->setFont(normal);
        label->adjustSize();
    }
    m_mainLabel->move(40, kMainRowTop + (kSwatchSize - m_mainLabel->height()) / 2);
    m_tabLabel->move(40, kTabRowTop + (kSwatchSize - m_tabLabel->height()) / 2);
    m_suggestLabel->move(40, kSuggestRowTop + (kSwatchSize - m_suggestLabel->height()) / 2);
    m_previewLabel->move(10, kGreyTop + 6);

    m_preview = new CColorPreviewCtrl(this);
    m_preview->setObjectName(QStringLiteral("preview1012"));
    m_preview->SetMainColor(0);

    for (int i = 0; i < kPresetCount; ++i) {
        m_presets[i] = MakeSwatch(this, kFirstPresetId + i, kSwatchLeft + kSwatchPitch * i, kMainRowTop);
        SetSwatchColor(m_presets[i], PresetShownColor(i));
        DescribeSwatch(m_presets[i], i == 0 ? tr("不设主体颜色（保留图片原来的颜色）")
                                            : tr("主体颜色：%1").arg(ColorName(PresetMainColor(i))));
        connect(m_presets[i], &CSkinButton2::clicked, this, [this, i] { ChoosePreset(i); });
    }

    m_custom = MakeSwatch(this, kCustomSwatchId, 400, kMainRowTop);
    m_custom->SetColor(200, 200, 0, 0);
    m_custom->SetIcon(158, false);
    // Until a colour is chosen with "更多颜色..." the square has nothing to choose.
    m_custom->setEnabled(false);
    DescribeSwatch(m_custom, tr("自定义颜色：还没有选择，请点击“更多颜色...”选择"));
    connect(m_custom, &CSkinButton2::clicked, this, [this] {
        SelectOnly(m_custom);
        Document().SetMainColour(m_custom->GetColor());
    });

    m_moreColors = new QPushButton(tr("更多颜色..."), this);
    m_moreColors->setObjectName(QStringLiteral("button20000"));
    m_moreColors->setFont(UiFont(12, 500));
    m_moreColors->setGeometry(426, kMainRowTop, 90, 22);
    WidenToText(m_moreColors);
    connect(m_moreColors, &QPushButton::clicked, this, &CColorSkinDlg::ChooseMoreColors);

    m_blackTab = MakeSwatch(this, kBlackTabId, kSwatchLeft, kTabRowTop);
    m_blackTab->SetColor(255, 0, 0, 0);
    m_whiteTab = MakeSwatch(this, kWhiteTabId, kSwatchLeft + kSwatchPitch, kTabRowTop);
    m_whiteTab->SetColor(255, 255, 255, 255);
    DescribeSwatch(m_blackTab, tr("标签文字颜色：黑色"));
    DescribeSwatch(m_whiteTab, tr("标签文字颜色：白色"));
    connect(m_blackTab, &CSkinButton2::clicked, this, [this] { ChooseTabText(false); });
    connect(m_whiteTab, &CSkinButton2::clicked, this, [this] { ChooseTabText(true); });

    for (int i = 0; i < kSuggestionCount; ++i) {
        m_suggestions[i] =
            MakeSwatch(this, kFirstSuggestionId + i, kSwatchLeft + kSwatchPitch * i, kSuggestRowTop);
        m_suggestions[i]->hide();
        connect(m_suggestions[i], &CSkinButton2::clicked, this, [this, i] { ChooseSuggestion(i); });
    }

    // By keyboard each row is one stop of the tab chain, and the arrow keys move along it.
    QList<CSkinButton2*> mainRow(m_presets.begin(), m_presets.end());
    mainRow.append(m_custom);
    m_rows[0] = new CSwatchRow(mainRow, this);
    m_rows[1] = new CSwatchRow({m_blackTab, m_whiteTab}, this);
    m_rows[2] = new CSwatchRow(QList<CSkinButton2*>(m_suggestions.begin(), m_suggestions.end()), this);

    // One main-colour swatch and one tab swatch are always selected: those of the document's colours.
    connect(&document, &SkinDocument::colourChanged, this, &CColorSkinDlg::ShowColours);
    connect(&document, &SkinDocument::pictureChanged, this, &CColorSkinDlg::ShowLook);
    connect(&document, &SkinDocument::cropChanged, this, &CColorSkinDlg::ShowLook);
    ShowColours();
}

ColorRef CColorSkinDlg::MainColor() const
{
    return Document().MainColour();
}

bool CColorSkinDlg::WhiteTabText() const
{
    return Document().WhiteTabText();
}

ColorRef CColorSkinDlg::SwatchColour(const CSkinButton2* swatch) const
{
    for (int i = 0; i < kPresetCount; ++i) {
        if (swatch == m_presets[i])
            return PresetMainColor(i);
    }
    for (size_t i = 0; i < m_suggested.size(); ++i) {
        if (swatch == m_suggestions[i])
            return m_suggested[i].color;
    }
    return m_custom->GetColor();
}

CSkinButton2* CColorSkinDlg::SwatchMatching(ColorRef colour) const
{
    if (colour == 0)
        return m_presets[0];
    // A preset comes back from a package rebuilt from its rounded numbers; both forms select it.
    // The "no colour" swatch never stands for a real colour.
    for (int i = 1; i < kPresetCount; ++i) {
        const ColorRef preset = PresetMainColor(i);
        if (colour == preset || colour == ReopenedColor(preset))
            return m_presets[i];
    }
    return SuggestionMatching(colour);
}

void CColorSkinDlg::ShowColours()
{
    const ColorRef colour = Document().MainColour();
    const bool white = Document().WhiteTabText();
    m_preview->SetMainColor(colour);
    m_preview->SetTabTextWhite(white);
    m_blackTab->SetSelected(!white);
    m_whiteTab->SetSelected(white);
    if (m_rows[1] != nullptr)
        m_rows[1]->Refresh();
    // The swatch the user chose stays selected while it shows the colour; otherwise the one that
    // shows it, or the custom square with it.
    CSkinButton2* selected = nullptr;
    for (CSkinButton2* swatch : m_presets) {
        if (swatch->IsSelected())
            selected = swatch;
    }
    for (CSkinButton2* swatch : m_suggestions) {
        if (swatch->IsSelected())
            selected = swatch;
    }
    if (m_custom->IsSelected())
        selected = m_custom;
    if (selected != nullptr && SwatchColour(selected) == colour && (selected != m_presets[0] || colour == 0))
        return;
    CSkinButton2* match = SwatchMatching(colour);
    if (match == nullptr) {
        SetCustomColor(colour);
        match = m_custom;
    }
    SelectOnly(match);
}

void CColorSkinDlg::ShowLook()
{
    const SkinRect crop = Document().Crop();
    m_preview->SetPicture(Document().Picture());
    m_preview->SetPictureRect(crop.left, crop.top, crop.right, crop.bottom);
    if (isVisible())
        ShowSuggestions(Document().Picture().get(), crop);
}

void CColorSkinDlg::showEvent(QShowEvent* event)
{
    CWizardPage::showEvent(event);
    ShowLook();
}

ColorRef CColorSkinDlg::PresetShownColor(int index)
{
    return index == 0 ? kNoColorSwatch : PresetMainColor(index);
}

ColorRef CColorSkinDlg::PresetMainColor(int index)
{
    if (index <= 0 || index >= kPresetCount)
        return 0;
    const PresetHsl& preset = kPresets[index];
    return HslToRgb(preset.hue / 240.0, preset.lightness, preset.saturation);
}

ColorRef CColorSkinDlg::ReopenedColor(ColorRef colour)
{
    const SkinColorNumbers numbers = DescribeColor(colour);
    return HslToRgb(numbers.hue * (1.0 / 240), numbers.light * 0.01, numbers.sat * 0.01);
}

CSkinButton2* CColorSkinDlg::Swatch(int id) const
{
    if (id >= kFirstPresetId && id < kFirstPresetId + kPresetCount)
        return m_presets[id - kFirstPresetId];
    if (id >= kFirstSuggestionId && id < kFirstSuggestionId + kSuggestionCount)
        return m_suggestions[id - kFirstSuggestionId];
    switch (id) {
    case kCustomSwatchId:
        return m_custom;
    case kBlackTabId:
        return m_blackTab;
    case kWhiteTabId:
        return m_whiteTab;
    default:
        return nullptr;
    }
}

void CColorSkinDlg::SelectOnly(CSkinButton2* swatch)
{
    for (CSkinButton2* other : m_presets) {
        if (other != swatch && other->IsSelected())
            other->SetSelected(false);
    }
    for (CSkinButton2* other : m_suggestions) {
        if (other != swatch && other->IsSelected())
            other->SetSelected(false);
    }
    if (m_custom != swatch && m_custom->IsSelected())
        m_custom->SetSelected(false);
    swatch->SetSelected(true);
    for (CSwatchRow* row : m_rows) {
        if (row != nullptr)
            row->Refresh();
    }
}

void CColorSkinDlg::SetCustomColor(ColorRef colour)
{
    SetSwatchColor(m_custom, colour);
    m_custom->setEnabled(true);
    DescribeSwatch(m_custom, tr("自定义颜色：%1").arg(ColorName(colour)));
}

void CColorSkinDlg::ChoosePreset(int index)
{
    SelectOnly(m_presets[index]);
    Document().SetMainColour(PresetMainColor(index));
}

void CColorSkinDlg::ChooseTabText(bool white)
{
    Document().SetWhiteTabText(white);
}

void CColorSkinDlg::ChooseMoreColors()
{
    const std::optional<QColor> chosen = CDialogProvider::Instance().GetColor(this, QColor(0, 0, 0));
    if (!chosen)
        return;
    const ColorRef colour = MakeColorRef(chosen->red(), chosen->green(), chosen->blue());
    SetCustomColor(colour);
    SelectOnly(m_custom);
    Document().SetMainColour(colour);
}

// A suggestion is chosen like a custom colour: the skin gets the colour itself.
void CColorSkinDlg::ChooseSuggestion(int index)
{
    SelectOnly(m_suggestions[index]);
    Document().SetMainColour(m_suggested[index].color);
}

CSkinButton2* CColorSkinDlg::SuggestionMatching(ColorRef colour) const
{
    for (size_t i = 0; i < m_suggested.size(); ++i) {
        const ColorRef suggested = m_suggested[i].color;
        if (colour == suggested || colour == ReopenedColor(suggested))
            return m_suggestions[i];
    }
    return nullptr;
}

void CColorSkinDlg::ClearSuggestions()
{
    m_suggested.clear();
    m_suggestedPicture = 0;
    m_suggestedCrop = {};
    for (CSkinButton2* swatch : m_suggestions) {
        swatch->SetSelected(false);
        swatch->hide();
    }
}

void CColorSkinDlg::ShowSuggestions(const CSkinImage* picture, const SkinRect& crop)
{
    const qint64 key = picture != nullptr && picture->HasPicture() ? picture->Picture().cacheKey() : 0;
    if (key == m_suggestedPicture && crop == m_suggestedCrop)
        return;
    const bool presetChosen = std::any_of(m_presets.begin(), m_presets.end(),
                                          [](const CSkinButton2* swatch) { return swatch->IsSelected(); });
    const bool suggestionChosen =
        std::any_of(m_suggestions.begin(), m_suggestions.end(),
                    [](const CSkinButton2* swatch) { return swatch->IsSelected(); });
    ClearSuggestions();
    if (key != 0) {
        m_suggestedPicture = key;
        m_suggestedCrop = crop;
        m_suggested = SuggestColors(picture->Picture(), crop);
    }
    for (size_t i = 0; i < m_suggested.size(); ++i) {
        SetSwatchColor(m_suggestions[i], m_suggested[i].color);
        DescribeSwatch(m_suggestions[i], tr("图片推荐颜色：%1").arg(ColorName(m_suggested[i].color)));
        m_suggestions[i]->show();
    }
    // The main colour stays; the swatch that shows it is selected, a suggestion before the custom one.
    if (presetChosen)
        return;
    const ColorRef colour = Document().MainColour();
    if (CSkinButton2* match = SuggestionMatching(colour)) {
        SelectOnly(match);
    } else if (suggestionChosen) {
        SetCustomColor(colour);
        SelectOnly(m_custom);
    }
}

void CColorSkinDlg::ResetPage()
{
    ClearSuggestions();
    ShowColours();
}

void CColorSkinDlg::resizeEvent(QResizeEvent* event)
{
    CWizardPage::resizeEvent(event);
    m_group->setGeometry(15, kGroupTop, std::max(0, width() - 30), kGroupBottom - kGroupTop);
    m_group->lower();

    // The preview keeps the player's 704:480 shape, at most its full size.
    const int top = m_previewLabel->geometry().bottom() + 1;
    int h = height() - 10 - top;
    int w = width() - 20;
    const int fullW = CColorPreviewCtrl::kPlayerWidth;
    const int fullH = CColorPreviewCtrl::kPlayerHeight;
    if (h * fullW < w * fullH) {
        h = std::min(h, fullH);
        w = h * fullW / fullH;
    } else {
        w = std::min(w, fullW);
        h = w * fullH / fullW;
    }
    m_preview->setGeometry(10, top, std::max(0, w), std::max(0, h));
}

void CColorSkinDlg::paintEvent(QPaintEvent*)
{
    PaintGreyArea(kGreyTop);
}
