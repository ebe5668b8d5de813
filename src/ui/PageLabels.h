#pragma once
// Text labels as the pages and controls create them, and the few rules that keep their texts
// whole when a translation is longer than the text the page was laid out for.
#include <QString>

#include <initializer_list>

class QFont;
class QLabel;
class QWidget;

// A label with an object name and its text, in font when one is given, sized to its text.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont* font = nullptr);

// The look of clickable text: blue, with a pointing hand (underlining is the font's part).
void ShowAsLink(QWidget* widget);

// The width a label, push button or radio button needs to show its text on one line (trailing
// blanks included, as they separate it from the next piece of a sentence); a word-wrapped label
// or another widget needs its present width.
int TextWidthNeeded(const QWidget* widget);

// Widens widget, at its place, to the width its text needs; one that holds its text is left alone.
void WidenToText(QWidget* widget);

// The widgets of one row, left to right: each is widened to its text and, when the one before it
// then reaches into it, moved right to stand gap pixels after that one. A row whose texts fit
// keeps every place and size.
void FlowRow(std::initializer_list<QWidget*> widgets, int gap);
