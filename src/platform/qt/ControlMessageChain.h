#pragma once

#include "platform/ControlMessages.h"

#include <QObject>
#include <QPointer>

class QEvent;
class QWidget;

namespace kelvara {

/// One widget's message chain: its Qt events become the numbered messages a window
/// procedure speaks, which go to whatever is installed in front of the widget (the hook).
/// The chain only watches: every event goes on to the widget's other filters and its own
/// handling as if the chain were not there. A paint is the one message whose order the hook
/// needs: when the hook passes it on (defaultProc) the chain hands the paint event to the
/// widget at once, through the widget's other filters, so that the hook draws over what the
/// widget painted inside the same paint event; that event then goes no further.
///
/// A widget may go while one of its messages is being dispatched (its own handling deletes
/// it, or a hook's does): the chain then leaves only when the outermost dispatch returns.
class ControlMessageChain : public QObject
{
    Q_OBJECT
public:
    /// The chain of a widget, made on first use; it goes with the widget.
    static ControlMessageChain* of(QWidget* widget);
    /// The chain of a widget, or null when it has none.
    static ControlMessageChain* existing(const QWidget* widget);

    /// The widget, or null once it is gone.
    QWidget* control() const { return m_control; }
    /// The procedure in front of the widget's own; null when the widget's own runs.
    WindowProc* windowProc() const { return m_hook; }
    void setWindowProc(WindowProc* hook) { m_hook = hook; }

    /// Delivers a message through the hook (or to the widget's own handling).
    void dispatch(ControlMessage& message);
    /// The widget's own handling of the message being dispatched: a paint is handed to the
    /// widget now, once; any other event reaches the widget after the hook, as Qt delivers it.
    void defaultProc(ControlMessage& message);
    /// Sends the widget a message made up here (a left-button press): as a Qt event, so
    /// that it takes the whole way through the chain; within a double-click, which Qt's
    /// widgets take as a press of their own, to the hook alone.
    void send(const ControlMessage& message);
    /// Whether the widget's paint event is being dispatched (a QPainter may be opened on it).
    bool painting() const { return m_painting; }

    /// The message number of a Qt event for this widget, or 0 when it has none.
    static unsigned messageNumber(const QEvent* event, std::uintptr_t* wParam = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ControlMessageChain(QWidget* widget);
    ~ControlMessageChain() override;
    void widgetGone();
    /// Runs the hook on a message; what it throws stops here, short of Qt's event dispatch.
    void callHook(ControlMessage& message);
    /// Ends one dispatch frame; answers true when the widget went meanwhile (the chain is
    /// then deleted if this was the outermost frame, and must not be touched again).
    [[nodiscard]] bool leaveFrame();

    QPointer<QWidget> m_control;
    const QWidget* m_key;
    WindowProc* m_hook = nullptr;
    QEvent* m_event = nullptr; // the Qt event of the message being dispatched
    bool m_eventDelivered = false;
    bool m_painting = false;
    int m_depth = 0;     // dispatch frames of this chain on the stack
    bool m_gone = false; // the widget has gone; the chain goes with the outermost frame
};

} // namespace kelvara
