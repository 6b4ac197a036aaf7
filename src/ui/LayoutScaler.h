#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <optional>

class ComponentInventory;
class QWidget;

// Keeps a window's controls in proportion to the window: RecordLayout takes
// the window's size and every control's bounds and font size as the
// reference; ScaleLayout sets each control to its reference values times the
// ratio of the window's present size to the reference size, truncated toward
// zero, the font by the smaller of the two ratios. Non-visual components
// (the window's excluded kinds, and whatever is no widget) never move.
class LayoutScaler final {
public:
    // excludedKinds are compared without regard to letter case.
    LayoutScaler(QWidget &window, const ComponentInventory &inventory, QStringList excludedKinds);
    Q_DISABLE_COPY_MOVE(LayoutScaler)

    void RecordLayout();
    // Does nothing before the first RecordLayout.
    void ScaleLayout();

    bool isRecorded() const { return m_recorded; }
    double horizontalFactor() const { return m_horizontalFactor; }
    double verticalFactor() const { return m_verticalFactor; }

private:
    struct ControlReference {
        QRect bounds;
        std::optional<int> pointSize;
    };

    bool takesPart(qsizetype index) const;
    QWidget *controlAt(qsizetype index) const;
    QSize frameMargins() const;
    static bool scaleControl(QWidget &control, const ControlReference &reference, double horizontal,
                             double vertical);

    QWidget &m_window;
    const ComponentInventory &m_inventory;
    const QStringList m_excludedKinds;
    bool m_recorded = false;
    // The window's size without its frame: the frame is added back when the
    // factors are computed, so that a frame that appears only once the window
    // manager has decorated the window cannot skew them.
    QSize m_referenceSize;
    // One entry per component owned at the time of the record; empty for
    // those that do not take part.
    QList<std::optional<ControlReference>> m_references;
    double m_horizontalFactor = 1.0;
    double m_verticalFactor = 1.0;
};
