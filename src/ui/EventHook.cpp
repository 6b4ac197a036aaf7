#include "ui/EventHook.h"

EventHook::EventHook(QObject *target, QEvent::Type type, Handler handler)
    : QObject(target)
    , m_type(type)
    , m_handler(std::move(handler))
{
}

void EventHook::install(QObject *target, QEvent::Type type, Handler handler)
{
    target->installEventFilter(new EventHook(target, type, std::move(handler)));
}

bool EventHook::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == m_type)
        return m_handler(*event);
    return QObject::eventFilter(watched, event);
}
