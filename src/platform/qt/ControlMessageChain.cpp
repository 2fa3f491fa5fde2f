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

void ControlMessageChain::widgetGone()
{
    chains().remove(m_key);
    ControlMessage m{WM_DESTROY, 0, 0, 0};
    dispatch(m);
    delete this;
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
    if (watched != m_control)
        return false;
    std::uintptr_t wParam = 0;
    const unsigned msg = messageNumber(event, &wParam);
    if (msg == 0)
        return false;
    // A paint inside the paint (the window system's recursion guard would refuse it) goes
    // to the widget alone.
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
    ControlMessage m{msg, wParam, 0, 0};
    dispatch(m);
    m_event = outerEvent;
    m_eventDelivered = outerDelivered;
    m_painting = outerPainting;
    // The widget has had the event through defaultProc (its accepted flag is what the
    // widget left), or the hook answered it alone: either way it is done.
    return true;
}

void ControlMessageChain::dispatch(ControlMessage& message)
{
    if (m_hook)
        m_hook->windowProc(message);
    else
        defaultProc(message);
}

void ControlMessageChain::defaultProc(ControlMessage& message)
{
    (void)message;
    if (!m_event || m_eventDelivered || !m_control)
        return;
    m_eventDelivered = true;
    // The widget's own handler, called straight: filters (this one included) are not run
    // again.
    static_cast<QObject*>(m_control.data())->event(m_event);
}

void ControlMessageChain::send(const ControlMessage& message)
{
    if (!m_control || message.msg != WM_LBUTTONDOWN)
        return;
    if (m_event && m_event->type() == QEvent::MouseButtonDblClick) {
        // A widget's own handling of a double-click presses it already: the press reaches
        // the hook alone, with no Qt event behind it, so that the widget is pressed once.
        QEvent* const outer = m_event;
        const bool outerDelivered = m_eventDelivered;
        m_event = nullptr;
        ControlMessage press = message;
        dispatch(press);
        m_event = outer;
        m_eventDelivered = outerDelivered;
        return;
    }
    QPointF at;
    if (m_event && (m_event->type() == QEvent::MouseButtonDblClick ||
                    m_event->type() == QEvent::MouseButtonPress))
        at = static_cast<QMouseEvent*>(m_event)->position();
    QMouseEvent press(QEvent::MouseButtonPress, at, m_control->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, QApplication::keyboardModifiers());
    QCoreApplication::sendEvent(m_control, &press);
}

} // namespace kelvara
