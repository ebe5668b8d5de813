#pragma once
// Helpers for the control tests: a parent that records page messages, pictures on disk,
// and mouse events delivered straight to a widget.
#include "ui/PageMessages.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QWidget>
#include <ostream>

// Readable rectangles in test failures.
inline void PrintTo(const SkinRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace skintest {

// A top-level window that keeps every page message it receives (rect, path, type).
class RecordingParent : public QWidget {
public:
    struct Message {
        int type = 0;
        SkinRect rect;
        QString path;
    };
    QList<Message> messages;
    qintptr answer = 1;

    int Count(PageMessage type) const;
    const Message* Last(PageMessage type) const;

protected:
    bool event(QEvent* event) override;
};

// Writes a picture of one colour, or a left-to-right gradient when gradient is set.
bool WritePicture(const QString& path, int width, int height, QColor colour, bool gradient = false);

// Mouse events with the left button, delivered with sendEvent (no window system involved).
void Press(QWidget* widget, int x, int y);
void Move(QWidget* widget, int x, int y, bool leftDown = true);
void Release(QWidget* widget, int x, int y);
void DoubleClick(QWidget* widget, int x, int y);

// The widget as painted now (runs its paintEvent).
QImage Grab(QWidget* widget);

} // namespace skintest
