// The explanatory pictures of the decorations step and the controls step are each their own.
#include "controls/CPictureLabel.h"
#include "imaging/CSkinImage.h"
#include "pages/CSkinFrameDlg.h"
#include "pages/CWebFlashFrameDlg.h"
#include "skin/SkinDocument.h"

#include <gtest/gtest.h>

namespace {

QImage Diagram(const QWidget& page)
{
    const auto* label = page.findChild<CPictureLabel*>(QStringLiteral("diagram1065"));
    if (label == nullptr || !label->HasPicture())
        return {};
    EXPECT_EQ(label->size(), label->GetPicture()->Picture().size());
    return label->GetPicture()->Picture();
}

} // namespace

TEST(Diagrams, TheControlsStepShowsItsOwnPictureNotTheDecorations)
{
    SkinDocument document;
    CSkinFrameDlg decorations(document, nullptr);
    CWebFlashFrameDlg controls(document, nullptr);
    const QImage frame = Diagram(decorations);
    const QImage flash = Diagram(controls);
    ASSERT_FALSE(frame.isNull());
    ASSERT_FALSE(flash.isNull());
    EXPECT_EQ(flash.size(), frame.size());
    EXPECT_NE(flash, frame);
}
