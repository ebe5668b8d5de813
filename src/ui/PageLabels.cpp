#include "ui/PageLabels.h"

#include "imaging/TextContrast.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QFont* font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    if (font != nullptr)
        label->setFont(*font);
    label->adjustSize();
    return label;
}

void ShowAsLink(QWidget* widget)
{
    // Links also lie on button faces (the top bar): readable on the window, the button colour and
    // the lightest shade a button face is drawn in alike.
    const QPalette& palette = widget->palette();
    QColor colour = palette.color(QPalette::Link);
    for (QPalette::ColorRole ground : {QPalette::Window, QPalette::Button, QPalette::Light})
        colour = ReadableOn(colour, palette.color(ground));
    ShowInColor(widget, colour);
    widget->setCursor(Qt::PointingHandCursor);
}

void ShowInColor(QWidget* widget, const QColor& wanted)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ReadableOn(wanted, palette.color(QPalette::Window)));
    widget->setPalette(palette);
}

QColor PanelColor(const QPalette& palette)
{
    const QColor classic(192, 192, 192);
    const QColor window = palette.color(QPalette::Window);
    if (RelativeLuminance(window) >= RelativeLuminance(palette.color(QPalette::WindowText)))
        return classic;
    return palette.color(QPalette::Mid);
}

int TextWidthNeeded(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->wordWrap())
            return label->width();
        const QMargins margins = label->contentsMargins();
        return std::max(label->sizeHint().width(), label->fontMetrics().horizontalAdvance(label->text()) +
                                                       margins.left() + margins.right());
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        // The style's least width for any push button is left out: only the text and its frame count.
        const int frame = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                          button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        return button->fontMetrics().horizontalAdvance(button->text()) + 2 * frame;
    }
    if (const auto* radio = qobject_cast<const QRadioButton*>(widget))
        return radio->sizeHint().width();
    return widget->width();
}

void WidenToText(QWidget* widget)
{
    const int needed = TextWidthNeeded(widget);
    if (needed > widget->width())
        widget->resize(needed, widget->height());
}

void FlowRow(std::initializer_list<QWidget*> widgets, int gap)
{
    const QWidget* before = nullptr;
    for (QWidget* widget : widgets) {
        WidenToText(widget);
        if (before != nullptr && widget->x() < before->x() + before->width())
            widget->move(before->x() + before->width() + gap, widget->y());
        before = widget;
    }
}
