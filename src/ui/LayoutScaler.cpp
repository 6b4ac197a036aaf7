#include "ui/LayoutScaler.h"

#include "ui/ComponentInventory.h"

#include <QLoggingCategory>
#include <QWidget>

#include <cmath>
#include <utility>

Q_LOGGING_CATEGORY(lcLayoutScaler, "quorvel.layout", QtWarningMsg)

namespace {

// Truncation toward zero: a control never grows past its share.
int scaled(int reference, double factor)
{
    return static_cast<int>(std::trunc(reference * factor));
}

} // namespace

LayoutScaler::LayoutScaler(QWidget &window, const ComponentInventory &inventory,
                           QStringList excludedKinds)
    : m_window(window)
    , m_inventory(inventory)
    , m_excludedKinds(std::move(excludedKinds))
{
}

void LayoutScaler::RecordLayout()
{
    m_referenceSize = m_window.size();
    const qsizetype count = m_inventory.components().size();
    m_references = QList<std::optional<ControlReference>>(count);
    for (qsizetype i = 0; i < count; ++i) {
        if (!takesPart(i))
            continue;
        QWidget *control = controlAt(i);
        if (!control)
            continue; // nothing with a position to record
        ControlReference reference{control->geometry(), std::nullopt};
        // A font sized in pixels has no size in points to scale.
        if (const int points = control->font().pointSize(); points > 0)
            reference.pointSize = points;
        m_references[i] = reference;
    }
    m_recorded = true;
}

void LayoutScaler::ScaleLayout()
{
    if (!m_recorded || m_referenceSize.isEmpty())
        return;
    const QSize margins = frameMargins();
    const QSize outer = m_window.size() + margins;
    const QSize referenceOuter = m_referenceSize + margins;
    m_horizontalFactor = double(outer.width()) / double(referenceOuter.width());
    m_verticalFactor = double(outer.height()) / double(referenceOuter.height());

    const qsizetype count = qMin(m_references.size(), m_inventory.components().size());
    for (qsizetype i = 0; i < count; ++i) {
        if (!m_references.at(i) || !takesPart(i))
            continue;
        QWidget *control = controlAt(i);
        if (!control ||
            !scaleControl(*control, *m_references.at(i), m_horizontalFactor, m_verticalFactor))
            qCDebug(lcLayoutScaler) << "skipped" << m_inventory.components().at(i).name;
    }
}

bool LayoutScaler::takesPart(qsizetype index) const
{
    return !m_excludedKinds.contains(m_inventory.components().at(index).kind, Qt::CaseInsensitive);
}

QWidget *LayoutScaler::controlAt(qsizetype index) const
{
    return qobject_cast<QWidget *>(m_inventory.components().at(index).object.data());
}

QSize LayoutScaler::frameMargins() const
{
    return m_window.frameGeometry().size() - m_window.size();
}

bool LayoutScaler::scaleControl(QWidget &control, const ControlReference &reference,
                                double horizontal, double vertical)
{
    // Each value is set on its own, as a move or a resize; a control whose
    // limits refuse one keeps the rest as they are.
    const QRect &bounds = reference.bounds;
    const int left = scaled(bounds.left(), horizontal);
    control.move(left, control.y());
    if (control.x() != left)
        return false;
    const int top = scaled(bounds.top(), vertical);
    control.move(control.x(), top);
    if (control.y() != top)
        return false;
    const int width = scaled(bounds.width(), horizontal);
    control.resize(width, control.height());
    if (control.width() != width)
        return false;
    const int height = scaled(bounds.height(), vertical);
    control.resize(control.width(), height);
    if (control.height() != height)
        return false;
    if (!reference.pointSize)
        return true;
    const int points = scaled(*reference.pointSize, qMin(horizontal, vertical));
    if (points <= 0)
        return false; // no font is that small
    QFont font = control.font();
    font.setPointSize(points);
    control.setFont(font);
    return true;
}
