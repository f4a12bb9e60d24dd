#include "mnemonic_label.h"

#include <QPainter>

void MnemonicLabel::paintEvent(QPaintEvent*)
{
    if (text().isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     text());
}
