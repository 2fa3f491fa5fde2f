#pragma once

#include "flatmenu/FlatPainterManager.h"
#include "flatmenu/MenuModel.h"

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QWidget;

namespace kelvara {

class QtFlatHost;

/// The property a form carries while a painter component of its own sits on it.
inline constexpr const char* kOwnsFlatPainterProperty = "kelvaraOwnsFlatPainter";

/// The flat-frame requests as posted events of the application, with the message numbers
/// as their event types.
inline constexpr QEvent::Type kFlatFrameItemEvent = static_cast<QEvent::Type>(WM_FLATFRAME_ITEM);
inline constexpr QEvent::Type kFlatFrameWindowEvent =
    static_cast<QEvent::Type>(WM_FLATFRAME_WINDOW);

/// A flat-frame request: the two parameters of the message.
class FlatFrameEvent : public QEvent
{
public:
    FlatFrameEvent(Type type, std::uintptr_t first, QObject* second)
        : QEvent(type), first(first), second(second)
    {}
    std::uintptr_t first;
    /// The window or menu item; a guard, as it may be gone when the request is run.
    QPointer<QObject> second;
};

/// The application's forms and its message hook, for the painter manager: forms are known
/// by announcement (a painter's own form, and every other form once it is built). The
/// manager's HookProc runs here and nowhere else: for each flat-frame request, posted to
/// this object, and once soon after the manager queues forms for the look (an
/// announcement, or the manager asking for the screen's forms), when it gives them the
/// current menu's look. No other object's events are watched.
class FlatForms : public QObject, public FlatScreen, public FlatFrameRequests
{
    Q_OBJECT
public:
    /// The one object of the running application (made on first use, after QApplication).
    static FlatForms* instance();
    /// The host of an announced form, or null.
    static FlatHost* hostOf(const QWidget* form);
    /// Announces a form the application created, with its components: the manager queues
    /// it, and it receives the current menu's look when the event loop next runs. The list
    /// is copied (announcing again takes a fresh copy): a form's own list dies in the form's
    /// destructor, before the form says it is gone.
    static void Announce(QWidget* form, const ComponentList& components);
    /// Registers the form of a painter (its host stays the painter's own), and takes it out.
    void addPainterForm(QWidget* form, FlatHost* host);
    void removePainterForm(FlatHost* host);

    std::vector<FlatHost*> forms() override;
    bool hasMainForm() const override;
    PopupWindow* popupWindow(void* window) override;
    PopupWindow* windowFromPoint(Point screen) override;
    Rect menuItemRect(MenuItem& item) override;

    bool pending() const override { return m_pendingRequests > 0; }
    void postWindow(bool rightToLeft, void* window) override;
    void postItem(MenuItem* item) override;

protected:
    /// The flat-frame requests.
    void customEvent(QEvent* event) override;

private:
    explicit FlatForms(QObject* parent);
    ~FlatForms() override;
    struct Entry
    {
        QPointer<QWidget> form;
        FlatHost* host;                    // the painter's, or owned below
        std::unique_ptr<QtFlatHost> owned; // an announced form's
        ComponentList components;          // an announced form's, as announced
    };
    void forget(const void* form);
    /// Runs the manager's hook once the event loop runs again (once for any number of calls
    /// before then).
    void scheduleHook();
    void runHook(const ControlMessage& message);

    std::vector<std::unique_ptr<Entry>> m_forms;
    int m_pendingRequests = 0;
    bool m_hookScheduled = false;
};

} // namespace kelvara
