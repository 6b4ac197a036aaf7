#include "ui/FramedGroupBox.h"

#include <QPainter>
#include <qdrawutil.h>

namespace {
constexpr int CaptionLeft = 8;
constexpr int CaptionPadding = 2;
} // namespace

FramedGroupBox::FramedGroupBox(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
{
}

void FramedGroupBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect frame = rect().adjusted(0, metrics.height() / 2, 0, 0);
    qDrawShadeRect(&painter, frame, palette(), true, 1, 0);
    if (title().isEmpty())
        return;
    const QRect caption(CaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * CaptionPadding,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::WindowText));
    painter.drawText(caption.adjusted(CaptionPadding, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}
