#include "ui/PageLabels.h"

#include <QLabel>
#include <QPalette>

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
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    widget->setPalette(palette);
    widget->setCursor(Qt::PointingHandCursor);
}
