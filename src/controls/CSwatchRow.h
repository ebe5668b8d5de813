#pragma once
// One row of colour swatches as the keyboard sees it: the row is a single stop of the tab chain
// (the swatch that has the focus, else the selected one, else the first that can be chosen), and
// Left and Right move the focus along the row to the next swatch that can be chosen.
#include <QList>
#include <QObject>

class CSkinButton2;

class CSwatchRow : public QObject {
    Q_OBJECT
public:
    CSwatchRow(QList<CSkinButton2*> swatches, QObject* parent);

    // Makes the right swatch the row's tab stop; the row calls it itself whenever a swatch is
    // shown, hidden, enabled, disabled or focused, the owner after it selected another one.
    void Refresh();
    // The swatch Tab reaches in this row; null when none can be chosen.
    CSkinButton2* TabStop() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool Reachable(const CSkinButton2* swatch);
    // Focuses the nearest reachable swatch from index in direction step (+1 or -1); false at the end.
    bool MoveFocus(int index, int step);

    QList<CSkinButton2*> m_swatches;
};
