#pragma once
// One undo step of the skin document: the content before the edit and after it. Pictures are
// shared, so a step costs a few strings and the item list.
#include "skin/SkinDocument.h"

#include <QUndoCommand>

class SkinEditCommand : public QUndoCommand {
public:
    // mergeId -1: never merges. Otherwise the next step with the same id, item and generation
    // becomes part of this one.
    SkinEditCommand(SkinDocument* document, SkinEdit edit, const QString& text, SkinContent before,
                    SkinContent after, int mergeId, int item, quint64 generation);

    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;
    // What an edit made while this one is being done adds to it.
    void Absorb(SkinContent after) { m_after = std::move(after); }

private:
    SkinDocument* m_document;
    SkinEdit m_edit;
    SkinContent m_before;
    SkinContent m_after;
    int m_mergeId;
    int m_item;
    quint64 m_generation;
    bool m_done = false; // the first redo is the edit itself, not a replay
};
