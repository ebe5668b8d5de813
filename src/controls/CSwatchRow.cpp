#include "controls/CSwatchRow.h"

#include "controls/CSkinButton2.h"

#include <QKeyEvent>

CSwatchRow::CSwatchRow(QList<CSkinButton2*> swatches, QObject* parent)
    : QObject(parent), m_swatches(std::move(swatches))
{
    for (CSkinButton2* swatch : m_swatches)
        swatch->installEventFilter(this);
    Refresh();
}

bool CSwatchRow::Reachable(const CSkinButton2* swatch)
{
    return swatch->isEnabled() && !swatch->isHidden();
}

CSkinButton2* CSwatchRow::TabStop() const
{
    for (CSkinButton2* swatch : m_swatches) {
        if (swatch->hasFocus())
            return swatch;
    }
    for (CSkinButton2* swatch : m_swatches) {
        if (swatch->IsSelected() && Reachable(swatch))
            return swatch;
    }
    for (CSkinButton2* swatch : m_swatches) {
        if (Reachable(swatch))
            return swatch;
    }
    return nullptr;
}

void CSwatchRow::Refresh()
{
    const CSkinButton2* stop = TabStop();
    for (CSkinButton2* swatch : m_swatches)
        swatch->setFocusPolicy(swatch == stop ? Qt::TabFocus : Qt::NoFocus);
}

bool CSwatchRow::MoveFocus(int index, int step)
{
    for (int i = index + step; i >= 0 && i < m_swatches.size(); i += step) {
        if (Reachable(m_swatches[i])) {
            m_swatches[i]->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

bool CSwatchRow::eventFilter(QObject* watched, QEvent* event)
{
    // Pointers only: a swatch being destroyed still sends its last events here.
    int index = -1;
    for (int i = 0; i < m_swatches.size() && index < 0; ++i) {
        if (static_cast<QObject*>(m_swatches[i]) == watched)
            index = i;
    }
    if (index < 0 || event->type() == QEvent::Destroy)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) {
            MoveFocus(index, key->key() == Qt::Key_Left ? -1 : 1);
            return true; // the row ends there; the key does nothing else
        }
        return false;
    }
    case QEvent::FocusIn:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::EnabledChange:
        Refresh();
        return false;
    default:
        return false;
    }
}
