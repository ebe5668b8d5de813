#include "pages/CCornerPage.h"

#include "controls/CLinkLabel.h"
#include "controls/CPictureLabel.h"
#include "controls/CPlayerCanvasCtrl.h"
#include "skin/SkinDocument.h"
#include "ui/ArrowEdits.h"
#include "ui/PageLabels.h"
#include "ui/UiFonts.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <algorithm>

CCornerPage::CCornerPage(int templateId, SkinDocument& document, QWidget* parent)
    : CWizardPage(templateId, document, parent)
{
}

Corner CCornerPage::SelectedCorner() const
{
    return CornerAt(m_tabs->currentIndex()).value_or(Corner::LeftTop);
}

void CCornerPage::CreateHelpLink(const QString& text, SitePage page, const QRect& place)
{
    m_helpLink = new CLinkLabel(this);
    m_helpLink->setObjectName(QStringLiteral("link1041"));
    m_helpLink->setText(text);
    m_helpLink->SetSitePage(page);
    m_helpLink->setGeometry(place);
    KeepBesideTitle(m_helpLink);
}

void CCornerPage::CreateDiagram(QPoint at, int id)
{
    m_diagram = new CPictureLabel(this);
    m_diagram->setObjectName(QStringLiteral("diagram1065"));
    m_diagram->move(at);
    if (m_diagram->LoadFromResource(id, ResourceType::Bitmap))
        m_diagram->ResizeToPicture();
}

void CCornerPage::CreateCornerTabs(const QRect& place)
{
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tabs1015"));
    m_tabs->setFont(UiFont(12, 400));
    for (const char* title :
         {QT_TR_NOOP("左上外饰"), QT_TR_NOOP("右上外饰"), QT_TR_NOOP("左下外饰"), QT_TR_NOOP("右下外饰")})
        m_tabs->addTab(tr(title));
    m_tabs->setDrawBase(true);
    m_tabs->setGeometry(place);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (const std::optional<Corner> corner = CornerAt(index))
            OnTabChanged(*corner);
    });
}

void CCornerPage::CreateShiftRows(const ShiftRow& x, const ShiftRow& y)
{
    const QFont textFont = UiFont(12, 400);
    for (const bool horizontal : {true, false}) {
        const ShiftRow& row = horizontal ? x : y;
        QLabel* label = MakeLabel(this, QString::fromLatin1(row.labelName),
                                  horizontal ? tr("横向偏移") : tr("纵向偏移"), &textFont);
        label->move(row.labelAt);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(horizontal ? QStringLiteral("edit1019") : QStringLiteral("edit1020"));
        edit->setGeometry(row.edit);
        AcceptDigitKeysOnly(edit);
        edit->installEventFilter(this); // Up and Down step the shift
        auto* arrows = new QScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical, this);
        arrows->setObjectName(horizontal ? QStringLiteral("arrows1023") : QStringLiteral("arrows1024"));
        arrows->setGeometry(row.arrows);
        SetUpArrowBar(arrows);
        connect(arrows, &QScrollBar::actionTriggered, this, [this, arrows, horizontal](int action) {
            if (const int step = ArrowStep(arrows, action); step != 0)
                OnArrowStep(horizontal, step);
        });
        label->setBuddy(edit); // screen readers name the edit after its label
        QLabel* unit = MakeLabel(this, QString::fromLatin1(row.unitName), tr("像素"), &textFont);
        unit->move(row.unitAt);
        FlowRow({label, edit, arrows, unit}, 2);
        (horizontal ? m_xEdit : m_yEdit) = edit;
        (horizontal ? m_xArrows : m_yArrows) = arrows;
    }
}

void CCornerPage::SetPreviewArea(QGroupBox* group, CPlayerCanvasCtrl* preview)
{
    m_group = group;
    m_preview = preview;
    // The preview shows the document's player and decorations, whatever changes them.
    const auto showLook = [this] { m_preview->SetLook(Document().Look()); };
    connect(&Document(), &SkinDocument::pictureChanged, this, showLook);
    connect(&Document(), &SkinDocument::cropChanged, this, showLook);
    connect(&Document(), &SkinDocument::colourChanged, this, showLook);
    connect(&Document(), &SkinDocument::itemsChanged, this,
            [this] { m_preview->SetDecorations(Document().Items()); });
    showLook();
}

void CCornerPage::LayoutPreview()
{
    const int top = m_group->geometry().bottom() + 1 + 15;
    const int w = std::min(width() - 40, int(CPlayerCanvasCtrl::kCanvasWidth));
    const int h = height() - 10 - top;
    m_preview->setGeometry(20, top, std::max(0, w), std::max(0, h));
    m_preview->ShowCorner(SelectedCorner());
    update();
}

void CCornerPage::ShowShift(QPoint shift)
{
    const QString x = QString::number(shift.x());
    const QString y = QString::number(shift.y());
    if (m_xEdit->text() != x)
        m_xEdit->setText(x);
    if (m_yEdit->text() != y)
        m_yEdit->setText(y);
}

void CCornerPage::EnableShiftEdits(bool enabled)
{
    m_xEdit->setEnabled(enabled);
    m_yEdit->setEnabled(enabled);
}

void CCornerPage::SelectCornerTab(Corner corner)
{
    const QSignalBlocker blocker(m_tabs);
    m_tabs->setCurrentIndex(CornerIndex(corner));
}

bool CCornerPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_xEdit || watched == m_yEdit)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            // As in a number field: Up makes the shown shift one larger, Down one smaller.
            if (static_cast<QWidget*>(watched)->isEnabled())
                OnArrowStep(watched == m_xEdit, key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return CWizardPage::eventFilter(watched, event);
}

void CCornerPage::resizeEvent(QResizeEvent* event)
{
    CWizardPage::resizeEvent(event);
    LayoutPreview();
}

void CCornerPage::paintEvent(QPaintEvent*)
{
    PaintGreyArea(m_group->geometry().bottom() + 1 + 10);
}
