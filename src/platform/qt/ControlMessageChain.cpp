#include "platform/qt/ControlMessageChain.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

namespace kelvara {

namespace {

QHash<const QWidget*, ControlMessageChain*>& chains()
{
    static QHash<const QWidget*, ControlMessageChain*> map;
    return map;
}

} // namespace

ControlMessageChain* ControlMessageChain::of(QWidget* widget)
{
    if (!widget)
        return nullptr;
    ControlMessageChain*& chain = chains()[widget];
    if (!chain)
        chain = new ControlMessageChain(widget);
    return chain;
}

ControlMessageChain* ControlMessageChain::existing(const QWidget* widget)
{
    return chains().value(widget, nullptr);
}

ControlMessageChain::ControlMessageChain(QWidget* widget) : m_control(widget), m_key(widget)
{
    // Not a child of the widget: the widget deletes its children before it announces its
    // own end, and the chain must still be there to pass that on.
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, [this] { widgetGone(); });
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textChanged, this, [this] {
            ControlMessage m{CM_TEXTCHANGED, 0, 0, 0};
            dispatch(m);
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, &QComboBox::currentTextChanged, this, [this] {
            ControlMessage m{CM_TEXTCHANGED, 0, 0, 0};
            dispatch(m);
        });
    }
}

ControlMessageChain::~ControlMessageChain()
{
    if (chains().value(m_key) == this)
        chains().remove(m_key);
}

void ControlMessageChain::widgetGone()
{
    chains().remove(m_key);
    m_gone = true;
    ++m_depth;
    ControlMessage m{WM_DESTROY, 0, 0, 0};
    dispatch(m);
    // Gone now, or, inside one of the widget's own messages, when the frames below that
    // still run in this object have returned.
    (void)leaveFrame();
}

bool ControlMessageChain::leaveFrame()
{
    --m_depth;
    if (!m_gone)
        return false;
    if (m_depth == 0)
        delete this;
    return true;
}

void ControlMessageChain::callHook(ControlMessage& message)
{
    try {
        m_hook->windowProc(message);
    } catch (...) {
        // A failed paint or state change must never reach Qt's event dispatch; the
        // control keeps its own handling and the next message starts afresh.
    }
}

unsigned ControlMessageChain::messageNumber(const QEvent* event, std::uintptr_t* wParam)
{
    std::uintptr_t w = 0;
    unsigned msg = 0;
    switch (event->type()) {
    case QEvent::Paint:
        msg = WM_PAINT;
        break;
    case QEvent::FocusIn:
        msg = WM_SETFOCUS;
        break;
    case QEvent::FocusOut:
        msg = WM_KILLFOCUS;
        break;
    case QEvent::Move:
    case QEvent::Resize:
        msg = WM_WINDOWPOSCHANGED;
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        msg = event->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP;
        // The window layer's virtual key codes agree with Qt's for space, digits and letters.
        w = key->key() == Qt::Key_Space ? VK_SPACE : static_cast<std::uintptr_t>(key->key());
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (static_cast<const QMouseEvent*>(event)->button() != Qt::LeftButton)
            return 0;
        msg = event->type() == QEvent::MouseButtonPress     ? WM_LBUTTONDOWN
              : event->type() == QEvent::MouseButtonRelease ? WM_LBUTTONUP
                                                            : WM_LBUTTONDBLCLK;
        break;
    case QEvent::Enter:
        msg = CM_MOUSEENTER;
        break;
    case QEvent::Leave:
        msg = CM_MOUSELEAVE;
        break;
    case QEvent::EnabledChange:
        msg = CM_ENABLEDCHANGED;
        break;
    case QEvent::PaletteChange:
        msg = CM_PARENTCOLORCHANGED;
        break;
    case QEvent::Show:
    case QEvent::Hide:
        msg = WM_SHOWWINDOW;
        w = event->type() == QEvent::Show ? 1 : 0;
        break;
    case QEvent::Close:
        msg = WM_CLOSE;
        break;
    default:
        return 0;
    }
    if (wParam)
        *wParam = w;
    return msg;
}

bool ControlMessageChain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_control || m_gone)
        return false;
    std::uintptr_t wParam = 0;
    const unsigned msg = messageNumber(event, &wParam);
    if (msg == 0)
        return false;
    // The paint the chain hands on, or a paint inside the paint (the window system's
    // recursion guard would refuse it), goes on to the widget alone.
    if (msg == WM_PAINT && m_painting)
        return false;
    if (msg == CM_ENABLEDCHANGED)
        wParam = m_control->isEnabled() ? 1 : 0;

    QEvent* const outerEvent = m_event;
    const bool outerDelivered = m_eventDelivered;
    const bool outerPainting = m_painting;
    m_event = event;
    m_eventDelivered = false;
    m_painting = msg == WM_PAINT;
    ++m_depth;
    ControlMessage m{msg, wParam, 0, 0};
    dispatch(m);
    const bool delivered = m_eventDelivered;
    if (leaveFrame())
        return true; // the receiver is gone: Qt must not hand it the event
    m_event = outerEvent;
    m_eventDelivered = outerDelivered;
    m_painting = outerPainting;
    // Only a paint the widget has already had (with the hook's drawing over it) stops here;
    // every other event goes on to the widget's other filters and its own handling.
    return msg == WM_PAINT && delivered;
}

void ControlMessageChain::dispatch(ControlMessage& message)
{
    ++m_depth;
    if (m_hook)
        callHook(message);
    else
        defaultProc(message);
    (void)leaveFrame(); // the caller's own frame keeps the chain alive
}

void ControlMessageChain::defaultProc(ControlMessage& message)
{
    if (message.msg != WM_PAINT || !m_event || m_eventDelivered || !m_control || m_gone)
        return;
    m_eventDelivered = true;
    // Sent, not called: the widget's filters installed before the chain see the paint, and
    // the chain's own filter lets it pass (m_painting).
    QCoreApplication::sendEvent(m_control, m_event);
}

void ControlMessageChain::send(const ControlMessage& message)
{
    if (!m_control || m_gone || message.msg != WM_LBUTTONDOWN)
        return;
    if (m_event && m_event->type() == QEvent::MouseButtonDblClick) {
        // A widget's own handling of a double-click presses it already: the press reaches
        // the hook alone, with no Qt event behind it, so that the widget is pressed once.
        QEvent* const outer = m_event;
        const bool outerDelivered = m_eventDelivered;
        m_event = nullptr;
        ++m_depth;
        ControlMessage press = message;
        dispatch(press);
        if (leaveFrame())
            return;
        m_event = outer;
        m_eventDelivered = outerDelivered;
        return;
    }
    QPointF at;
    if (m_event && m_event->type() == QEvent::MouseButtonPress)
        at = static_cast<QMouseEvent*>(m_event)->position();
    QMouseEvent press(QEvent::MouseButtonPress, at, m_control->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, QApplication::keyboardModifiers());
    ++m_depth;
    QCoreApplication::sendEvent(m_control, &press);
    (void)leaveFrame();
}

} // namespace kelvara
