#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

// Shows one type of event of one object to a handler before the object sees
// it: how a window answers a control's key presses or focus entries without
// subclassing the control. The hook lives as long as the object it watches.
class EventHook final : public QObject {
    Q_OBJECT

public:
    // Returns true to keep the event from the object.
    using Handler = std::function<bool(QEvent &event)>;

    static void install(QObject *target, QEvent::Type type, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EventHook(QObject *target, QEvent::Type type, Handler handler);

    const QEvent::Type m_type;
    const Handler m_handler;
};
