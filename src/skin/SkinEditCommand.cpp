#include "skin/SkinEditCommand.h"

SkinEditCommand::SkinEditCommand(SkinDocument* document, SkinEdit edit, const QString& text,
                                 SkinContent before, SkinContent after, int mergeId, int item,
                                 quint64 generation)
    : QUndoCommand(text), m_document(document), m_edit(edit), m_before(std::move(before)),
      m_after(std::move(after)), m_mergeId(mergeId), m_item(item), m_generation(generation)
{
}

bool SkinEditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const SkinEditCommand*>(other);
    if (next == nullptr || next->m_mergeId != m_mergeId || next->m_item != m_item ||
        next->m_generation != m_generation)
        return false;
    m_after = next->m_after;
    // A drag that ends where it began is no step.
    setObsolete(m_after == m_before);
    return true;
}

void SkinEditCommand::undo()
{
    m_document->Replay(m_before, m_edit, text(), true);
}

void SkinEditCommand::redo()
{
    if (!m_done) {
        m_done = true;
        m_document->Apply(m_after, this);
        return;
    }
    m_document->Replay(m_after, m_edit, text(), false);
}
