#include "ui/KeyboardLinks.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPen>

bool IsActivationKey(const QKeyEvent* event)
{
    if (event->isAutoRepeat() || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space;
}

void DrawFocusFrame(QPainter& painter, const QWidget* widget)
{
    painter.save();
    painter.setPen(QPen(widget->palette().color(widget->foregroundRole()), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(widget->rect().adjusted(0, 0, -1, -1));
    painter.restore();
}

void ReachByKeyboard(QLabel* label)
{
    label->setFocusPolicy(Qt::TabFocus);
}

CKeyboardLink::CKeyboardLink(QLabel* label) : QObject(label), m_label(label)
{
    ReachByKeyboard(label);
    label->installEventFilter(this);
}

bool CKeyboardLink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_label)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (IsActivationKey(static_cast<QKeyEvent*>(event))) {
            event->accept();
            emit activated();
            return true;
        }
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        m_label->update();
        return false;
    case QEvent::Paint: {
        // The label paints itself first (the call skips this filter), then the frame goes on top.
        static_cast<QObject*>(m_label)->event(event);
        if (m_label->hasFocus()) {
            QPainter painter(m_label);
            DrawFocusFrame(painter, m_label);
        }
        return true;
    }
    default:
        return false;
    }
}
