#pragma once

#include "platform/ControlMessages.h"

#include <QObject>
#include <QPointer>

class QEvent;
class QWidget;

namespace kelvara {

/// One widget's message chain: its Qt events become the numbered messages a window
/// procedure speaks, which go to whatever is installed in front of the widget (the hook)
/// or, without one, to the widget's own handling. The hook passes a message on to the
/// widget's own handling (defaultProc) and acts afterwards; for a paint that means the hook
/// draws over the widget inside the same paint event. Events without a message number
/// reach the widget as usual.
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
    /// The widget's own handling of the message being dispatched: the Qt event behind it is
    /// handed to the widget, once.
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
    void widgetGone();

    QPointer<QWidget> m_control;
    const QWidget* m_key;
    WindowProc* m_hook = nullptr;
    QEvent* m_event = nullptr; // the Qt event of the message being dispatched
    bool m_eventDelivered = false;
    bool m_painting = false;
};

} // namespace kelvara
