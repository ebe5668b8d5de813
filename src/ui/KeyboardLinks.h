#pragma once
// Links made of labels, reached by keyboard: Tab stops at them, Enter or Space opens them, and a
// dotted frame shows which one has the focus.
#include <QObject>

class QKeyEvent;
class QLabel;
class QPainter;
class QWidget;

// Enter, Return or Space, without modifiers (keypad Enter included), not repeated.
bool IsActivationKey(const QKeyEvent* event);

// A dotted frame just inside the widget, in the palette's text colour.
void DrawFocusFrame(QPainter& painter, const QWidget* widget);

// Puts the label in the tab chain (a click leaves the focus where it is). Screen readers read the
// label's own text as its name.
void ReachByKeyboard(QLabel* label);

// Makes a plain label a keyboard link: it is reached by Tab, shows the focus frame, and emits
// activated on Enter or Space. The mouse stays the owner's business.
class CKeyboardLink : public QObject {
    Q_OBJECT
public:
    explicit CKeyboardLink(QLabel* label);

signals:
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_label;
};
