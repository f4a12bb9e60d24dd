#include "key_down_filter.h"

#include <QKeyEvent>

#include <utility>

namespace {

constexpr int enterKeyCode = 13;

bool takenByTheWindow(const QKeyEvent& key)
{
    const bool isTab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    return isTab && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

int keyCodeOf(const QKeyEvent& key)
{
    const bool isEnter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    return isEnter ? enterKeyCode : key.key();
}

int modifiersOf(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers held = key.modifiers();
    return (held & Qt::ControlModifier ? 1 : 0) + (held & Qt::ShiftModifier ? 2 : 0)
           + (held & Qt::AltModifier ? 4 : 0);
}

} // namespace

KeyDownFilter::KeyDownFilter(QObject* control, Handler handler)
    : QObject(control)
    , handler_(std::move(handler))
{
    control->installEventFilter(this);
}

bool KeyDownFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!takenByTheWindow(key))
            handler_(keyCodeOf(key), modifiersOf(key));
    }
    return QObject::eventFilter(watched, event);
}
