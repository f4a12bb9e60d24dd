#pragma once

#include <QObject>

#include <functional>

// Raises a control's key-pressed event: every key that goes down in it, auto-repeats
// included, before the control handles it. Tab and Shift+Tab are left to the window's
// focus chain and not raised. The key is never consumed.
class KeyDownFilter : public QObject {
public:
    // keyCode: 13 for Enter and keypad Enter, otherwise Qt's key code.
    // modifiers: Ctrl 1 + Shift 2 + Alt 4.
    using Handler = std::function<void(int keyCode, int modifiers)>;

    KeyDownFilter(QObject* control, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
};
