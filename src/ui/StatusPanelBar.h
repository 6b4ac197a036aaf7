#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QPainter;

// A status bar of side-by-side panels (TStatusBar). A panel shows its text,
// or is painted by its owner through a callback. As with the designer's
// status bar, the last panel reaches to the right edge whatever its width.
class StatusPanelBar final : public QWidget {
    Q_OBJECT

public:
    using PanelPainter = std::function<void(QPainter &, int panel, const QRect &rect)>;

    explicit StatusPanelBar(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(StatusPanelBar)

    void setPanelWidths(const QList<int> &widths);
    qsizetype panelCount() const { return m_panels.size(); }
    int panelWidth(int panel) const;
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);
    // The panel is then drawn by painter instead of showing its text.
    void setOwnerDrawn(int panel, PanelPainter painter);
    // The inside of a panel, within its bevel: where its content goes.
    QRect panelRect(int panel) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Panel {
        int width = 0;
        QString text;
        PanelPainter painter;
    };
    QRect bevelRect(int panel) const;

    QList<Panel> m_panels;
};
