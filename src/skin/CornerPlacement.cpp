#include "skin/CornerPlacement.h"

QPoint DefaultCornerOffset(QSize itemSize)
{
    return {itemSize.width() / 2, itemSize.height() / 2};
}
