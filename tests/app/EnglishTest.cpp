// The wizard, its about box and the skin viewer with the English catalogues installed: every text
// a user reads is English, and no label or button is narrower than its text or runs into another.
#include "app/CAboutDlg.h"
#include "app/CSkinViewerWnd.h"
#include "app/CWizardDlg.h"
#include "imaging/ImageLoading.h"
#include "pages/CSkinHeadDlg.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "ui/LanguagePictures.h"

#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Chinese ideographs and the full-width punctuation written with them.
bool HasChinese(const QString& text)
{
    static const QRegularExpression chinese(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return chinese.match(text).hasMatch();
}

QStringList ShownTexts(const QWidget* widget)
{
    QStringList texts{widget->toolTip()};
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        texts << label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        texts << button->text();
    else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        texts << group->title();
    else if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        texts << edit->text();
    else if (const auto* tabs = qobject_cast<const QTabBar*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    } else if (const auto* list = qobject_cast<const QTreeWidget*>(widget)) {
        for (int column = 0; column < list->columnCount(); ++column)
            texts << list->headerItem()->text(column);
    }
    return texts;
}

// The width a one-line text widget needs to show its text whole; 0 for other widgets.
int WidthNeeded(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->wordWrap() || label->text().isEmpty())
            return 0;
        return label->sizeHint().width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        return button->text().isEmpty() ? 0 : button->fontMetrics().horizontalAdvance(button->text()) + 8;
    if (const auto* radio = qobject_cast<const QRadioButton*>(widget))
        return radio->sizeHint().width();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->fontMetrics().horizontalAdvance(group->title()) + 16;
    // A read-only field shows a hint or a path the user cannot scroll to.
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget); edit != nullptr && edit->isReadOnly())
        return edit->fontMetrics().horizontalAdvance(edit->text()) + 8;
    return 0;
}

// Everything window shows is English, and every text is whole and clear of its neighbours.
void ExpectEnglishAndWhole(QWidget* window, const QString& where)
{
    EXPECT_FALSE(HasChinese(window->windowTitle())) << where.toStdString();
    QList<QWidget*> texts;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        const std::string name = (where + QLatin1Char('/') + widget->objectName()).toStdString();
        for (const QString& text : ShownTexts(widget))
            EXPECT_FALSE(HasChinese(text)) << name << " shows " << text.toStdString();
        if (const auto* label = qobject_cast<const QLabel*>(widget); label != nullptr && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name << " is too low";
        }
        const int needed = WidthNeeded(widget);
        EXPECT_LE(needed, widget->width())
            << name << " is too narrow for " << ShownTexts(widget).join(' ').toStdString();
        if (needed > 0 && qobject_cast<QGroupBox*>(widget) == nullptr)
            texts.append(widget);
    }
    // A label placed exactly on another is an overlay (the red star on the name's label).
    for (qsizetype i = 0; i < texts.size(); ++i) {
        for (qsizetype j = i + 1; j < texts.size(); ++j) {
            const QWidget* a = texts[i];
            const QWidget* b = texts[j];
            if (a->parentWidget() != b->parentWidget() || a->pos() == b->pos())
                continue;
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << (where + QLatin1Char('/') + a->objectName() + QStringLiteral(" overlaps ") +
                    b->objectName())
                       .toStdString();
        }
    }
}

class EnglishTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* catalogue : {"skinmaker", "skincore", "skinflash"}) {
            auto translator = std::make_unique<QTranslator>();
            ASSERT_TRUE(translator->load(QStringLiteral(":/i18n/%1_en.qm").arg(QLatin1String(catalogue))))
                << catalogue;
            QCoreApplication::installTranslator(translator.get());
            translators.push_back(std::move(translator));
        }
    }
    void TearDown() override
    {
        for (const auto& translator : translators)
            QCoreApplication::removeTranslator(translator.get());
    }

    std::vector<std::unique_ptr<QTranslator>> translators;
    FakeDialogs dialogs;
};

TEST_F(EnglishTest, EveryStepOfTheWizardIsEnglishAndWhole)
{
    CWizardDlg wizard;
    wizard.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
    ExpectEnglishAndWhole(&wizard, QStringLiteral("step 1"));

    // The chosen picture turns the first step into cropping, with other texts.
    skintest::ScratchDir scratch;
    const QString picture = scratch.file(QStringLiteral("header.jpg"));
    QImage image(800, 100, QImage::Format_RGB32);
    image.fill(QColor(90, 140, 200));
    ASSERT_TRUE(image.save(picture));
    wizard.HeadPage()->OpenChosenFile(picture);
    QPushButton* next = wizard.CommandButton(ID_NEXT);
    ASSERT_TRUE(QTest::qWaitFor([next] { return next->isEnabled(); }));
    ExpectEnglishAndWhole(&wizard, QStringLiteral("step 1 cropping"));

    auto* browse = wizard.HeadPage()->findChild<QPushButton*>(QStringLiteral("button1005"));
    ASSERT_NE(browse, nullptr);
    QTest::mouseClick(browse, Qt::LeftButton);
    ASSERT_EQ(dialogs.openRequests.size(), 1);
    EXPECT_FALSE(HasChinese(dialogs.openRequests.constFirst().filter));

    for (int step = 2; step <= 6; ++step) {
        QTest::mouseClick(next, Qt::LeftButton);
        ASSERT_EQ(wizard.CurrentIndex(), step - 1);
        ExpectEnglishAndWhole(&wizard, QStringLiteral("step %1").arg(step));
    }

    // Messages: saving without a name, then leaving without saving.
    dialogs.answer = QMessageBox::Cancel;
    QTest::mouseClick(wizard.CommandButton(ID_SAVE_SKIN), Qt::LeftButton);
    wizard.reject();
    ASSERT_EQ(dialogs.messages.size(), 2);
    for (const FakeDialogs::Message& message : dialogs.messages) {
        EXPECT_FALSE(HasChinese(message.caption)) << message.caption.toStdString();
        EXPECT_FALSE(HasChinese(message.text)) << message.text.toStdString();
    }
}

TEST_F(EnglishTest, AboutBoxAndViewerAreEnglishAndWhole)
{
    CAboutDlg about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    ExpectEnglishAndWhole(&about, QStringLiteral("about"));

    auto* viewer = new CSkinViewerWnd;
    viewer->SetPlayerMissing(true);
    viewer->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    ExpectEnglishAndWhole(viewer, QStringLiteral("viewer"));
    viewer->close();
}

TEST_F(EnglishTest, PicturesWithWordsComeInEnglishOfTheSameSize)
{
    for (const int id : {134, 136, 160, 174, 175, 176}) {
        const QString shown = ShownBitmapPath(id);
        EXPECT_TRUE(shown.contains(QStringLiteral("/en/"))) << id;
        EXPECT_EQ(QImage(shown).size(), QImage(BitmapResourcePath(id)).size()) << id;
    }
    // A picture without words has one version for all languages.
    EXPECT_EQ(ShownBitmapPath(173), BitmapResourcePath(173));
    TearDown();
    translators.clear();
    EXPECT_EQ(ShownBitmapPath(176), BitmapResourcePath(176));
}

} // namespace
