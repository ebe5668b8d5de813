#pragma once
// Text labels as the pages and controls create them, and the few rules that keep their texts
// whole when a translation is longer than the text the page was laid out for.
#include <QColor>
#include <QString>

#include <initializer_list>

class QFont;
class QLabel;
class QPalette;
class QWidget;

// A label with an object name and its text, in font when one is given, sized to its text.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont* font = nullptr);

// The look of clickable text: the palette's link colour (blue in a light palette), made readable
// on the window's background, with a pointing hand (underlining is the font's part).
void ShowAsLink(QWidget* widget);
// Text in a colour of its own (a warning, a required mark): wanted, or as near to it as stays
// readable on the window's background of the widget's palette.
void ShowInColor(QWidget* widget, const QColor& wanted);
// The dark red of the pages' notes and warnings.
inline const QColor kNoteColor{0xc0, 0x00, 0x00};
// The grey panel the pages draw below their controls: the classic light grey under a light
// palette, the palette's mid tone under a dark one, so that window text stays readable on it.
QColor PanelColor(const QPalette& palette);

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
