#include "ui/ArrowEdits.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace {

constexpr int kArrowRest = 1;

// Swallows key presses that would type anything but a digit.
class DigitKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isDigit())
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void SetUpArrowBar(QScrollBar* bar)
{
    bar->setRange(kArrowRest - 1, kArrowRest + 1);
    bar->setValue(kArrowRest);
}

int ArrowStep(QScrollBar* bar, int action)
{
    bar->setSliderPosition(kArrowRest);
    if (action == QAbstractSlider::SliderSingleStepSub)
        return -1;
    if (action == QAbstractSlider::SliderSingleStepAdd)
        return 1;
    return 0;
}

void AcceptDigitKeysOnly(QLineEdit* edit)
{
    edit->installEventFilter(new DigitKeyFilter(edit));
}
