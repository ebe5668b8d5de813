// The recovery folders of running and ended wizards, and the writer that keeps a changed skin in one.
#include "skin/RecoveryWriter.h"
#include "skin/RecoveryFile.h"
#include "skin/RecoveryFolders.h"
#include "skin/SkinDocument.h"
#include "skin/WinePrefixFixture.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

using skintest::ScopedEnv;
using skintest::ScratchDir;

TEST(RecoveryFolders, LeftoversAreThoseOfEndedWizardsOnly)
{
    ScratchDir dir;
    {
        ScopedEnv state("XDG_STATE_HOME", dir.path().toUtf8());
        EXPECT_EQ(RecoveryRoot(), dir.file("skinmaker"));
    }
    {
        ScopedEnv state("XDG_STATE_HOME", "relative/state");
        EXPECT_EQ(RecoveryRoot(), QDir::homePath() + "/.local/state/skinmaker");
    }
    const QString root = dir.file("state/skinmaker");
    QString error;
    auto running = RecoverySlot::Create(root, &error);
    ASSERT_NE(running, nullptr) << error.toStdString();
    EXPECT_EQ(QFileInfo(root).permissions() & 0x0077, 0) << "closed to group and others";
    auto ended = RecoverySlot::Create(root, &error);
    auto endedEmpty = RecoverySlot::Create(root, &error);
    ASSERT_NE(running->Folder(), ended->Folder());
    for (const auto* slot : {running.get(), ended.get(), endedEmpty.get()})
        ASSERT_TRUE(QDir().mkpath(slot->Folder()));
    ASSERT_TRUE(skintest::WriteAll(running->Folder() + "/recovery.json", "a"));
    ASSERT_TRUE(skintest::WriteAll(ended->Folder() + "/recovery.json", "b"));

    // Held folders are never offered.
    EXPECT_EQ(RecoverySlot::ClaimLeftover(root), nullptr);
    const QString endedFolder = ended->Folder();
    const QString emptyFolder = endedEmpty->Folder();
    ended.reset(); // its wizard ended without cleaning up
    endedEmpty.reset();
    auto claimed = RecoverySlot::ClaimLeftover(root);
    ASSERT_NE(claimed, nullptr);
    EXPECT_EQ(claimed->Folder(), endedFolder);
    EXPECT_EQ(RecoverySlot::ClaimLeftover(root), nullptr) << "claimed by another";
    EXPECT_FALSE(QFileInfo::exists(emptyFolder)) << "no recovery file in it: removed";

    // Set aside: kept under another name, never offered again.
    const QString aside = claimed->SetAside();
    EXPECT_TRUE(QFileInfo(aside + "/recovery.json").isFile());
    EXPECT_FALSE(QFileInfo::exists(endedFolder));
    claimed.reset();
    EXPECT_EQ(RecoverySlot::ClaimLeftover(root), nullptr);
    running->Remove();
    EXPECT_EQ(QDir(root).entryList({"wizard-*"}, QDir::AllEntries | QDir::Hidden), QStringList());
}

class RecoveryWriterTest : public ::testing::Test {
protected:
    RecoveryWriterTest() : writer(document, dir.file("slot"), {dir.file("temporary")})
    {
        writer.SetDelay(10);
        writer.SetStep(3);
    }
    bool WaitIdle()
    {
        return QTest::qWaitFor([this] { return writer.IsIdle(); }, 20000);
    }
    QString WrittenName() const
    {
        const RecoveryRead read = ReadRecovery(dir.file("slot"));
        return read.state ? read.state->content.skinName : QStringLiteral("<%1>").arg(read.error);
    }

    ScratchDir dir;
    SkinDocument document;
    RecoveryWriter writer;
};

TEST_F(RecoveryWriterTest, LastStateWinsAndASaveEmptiesTheFolder)
{
    QSignalSpy written(&writer, &RecoveryWriter::written);
    document.SetSkinName(QStringLiteral("one"));
    document.EndMerge();
    ASSERT_TRUE(WaitIdle());
    ASSERT_GE(written.size(), 1);
    EXPECT_TRUE(written.last().at(0).toBool()) << written.last().at(1).toString().toStdString();
    EXPECT_EQ(WrittenName(), QStringLiteral("one"));
    EXPECT_EQ(ReadRecovery(dir.file("slot")).state->step, 3);

    // Changes while a write runs are written after it.
    document.SetSkinName(QStringLiteral("two"));
    writer.WriteNow();
    document.EndMerge();
    document.SetSkinName(QStringLiteral("three"));
    writer.WriteNow();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(WrittenName(), QStringLiteral("three"));

    // Saved: nothing to keep, even when the save comes while a write runs.
    document.EndMerge();
    document.SetSkinName(QStringLiteral("four"));
    writer.WriteNow();
    document.SetModified(false);
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(QFileInfo::exists(dir.file("slot")));

    // Undone past the save: modified again, and kept again.
    document.UndoStack()->undo();
    ASSERT_TRUE(document.IsModified());
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(WrittenName(), QStringLiteral("three"));

    // Saved while a write runs and changed again at once: the change is kept all the same.
    document.EndMerge();
    document.SetSkinName(QStringLiteral("five"));
    writer.WriteNow();
    document.SetModified(false);
    document.EndMerge();
    document.SetSkinName(QStringLiteral("six"));
    writer.WriteNow();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(WrittenName(), QStringLiteral("six"));
}
