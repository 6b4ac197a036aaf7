#include "ui/AutoSizeLabel.h"

#include <QFontMetricsF>

#include <cmath>

AutoSizeLabel::AutoSizeLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
}

void AutoSizeLabel::setCaption(const QString &text)
{
    setText(text);
    resize(captionWidth(), height());
}

int AutoSizeLabel::captionWidth() const
{
    return static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text())));
}
