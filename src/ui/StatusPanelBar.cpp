#include "ui/StatusPanelBar.h"

#include <QPainter>
#include <qdrawutil.h>

namespace {
constexpr int TopMargin = 2;
constexpr int PanelGap = 2;
constexpr int TextIndent = 2;
} // namespace

StatusPanelBar::StatusPanelBar(QWidget *parent)
    : QWidget(parent)
{
}

void StatusPanelBar::setPanelWidths(const QList<int> &widths)
{
    m_panels.resize(widths.size());
    for (qsizetype i = 0; i < widths.size(); ++i)
        m_panels[i].width = widths.at(i);
    update();
}

int StatusPanelBar::panelWidth(int panel) const
{
    return panel >= 0 && panel < m_panels.size() ? m_panels.at(panel).width : 0;
}

QString StatusPanelBar::panelText(int panel) const
{
    return panel >= 0 && panel < m_panels.size() ? m_panels.at(panel).text : QString();
}

void StatusPanelBar::setPanelText(int panel, const QString &text)
{
    if (panel < 0 || panel >= m_panels.size())
        return;
    m_panels[panel].text = text;
    update(bevelRect(panel));
}

void StatusPanelBar::setOwnerDrawn(int panel, PanelPainter painter)
{
    if (panel < 0 || panel >= m_panels.size())
        return;
    m_panels[panel].painter = std::move(painter);
    update(bevelRect(panel));
}

QRect StatusPanelBar::bevelRect(int panel) const
{
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += m_panels.at(i).width;
    const bool last = panel == m_panels.size() - 1;
    const int width = last ? qMax(0, this->width() - left) : m_panels.at(panel).width - PanelGap;
    return QRect(left, TopMargin, width, height() - TopMargin);
}

QRect StatusPanelBar::panelRect(int panel) const
{
    if (panel < 0 || panel >= m_panels.size())
        return {};
    return bevelRect(panel).adjusted(1, 1, -1, -1);
}

void StatusPanelBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int i = 0; i < m_panels.size(); ++i) {
        const QRect bevel = bevelRect(i);
        qDrawShadePanel(&painter, bevel, palette(), true, 1);
        const QRect inside = panelRect(i);
        painter.save();
        painter.setClipRect(inside);
        const Panel &panel = m_panels.at(i);
        if (panel.painter) {
            panel.painter(painter, i, inside);
        } else {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(inside.adjusted(TextIndent, 0, 0, 0),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, panel.text);
        }
        painter.restore();
    }
}
