#pragma once
// Text labels as the pages and controls create them.
#include <QString>

class QFont;
class QLabel;
class QWidget;

// A label with an object name and its text, in font when one is given, sized to its text.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont* font = nullptr);

// The look of clickable text: blue, with a pointing hand (underlining is the font's part).
void ShowAsLink(QWidget* widget);
