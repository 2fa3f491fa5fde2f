#pragma once

#include "flatmenu/ControlModel.h"
#include "flatmenu/PopupFrame.h"

#include <vector>

namespace kelvara {

class FlatHost;
class TFlatPainter;
enum class TOperation;

/// The screen as the manager sees it: its forms, in the screen's order, and its windows.
class FlatScreen : public PopupDesktop
{
public:
    /// The application's forms in the screen's order.
    virtual std::vector<FlatHost*> forms() = 0;
    /// Whether the application still has its main form (not while it shuts down).
    virtual bool hasMainForm() const = 0;
    /// The pop-up window behind a window handle of a flat-frame request, or null.
    virtual PopupWindow* popupWindow(void* window) = 0;
};

/// The one process-wide coordinator of painters: it extends the current menu's look to the
/// application's other forms, runs the flat-frame requests, and hands the current role over
/// when a painter goes. It exists from the first painter's construction until the last
/// registered one goes.
class TFlatPainterManager
{
public:
    /// The manager, or null when none exists.
    static TFlatPainterManager* instance();
    /// Creates the manager when there is none.
    static TFlatPainterManager& create();
    /// Destroys the manager (when no painter is registered any more).
    static void destroy();
    /// Where the manager finds forms and windows (the view side sets it; none in the core).
    static void setScreen(FlatScreen* screen);
    static FlatScreen* screen();

    /// Registers a painter; an active one without DisableSubclassing may become current.
    void AddMenu(TFlatPainter* menu);
    /// Unregisters a painter; the current role passes to the first eligible other one.
    void RemoveMenu(TFlatPainter* menu);
    /// A form was created (queued for the look) or destroyed (forgotten).
    void FormNotification(FlatHost* form, TOperation operation);
    /// Every application message, before its own handling: flat-frame requests and pending
    /// forms. Answers false: the message is never handled here.
    bool HookProc(const ControlMessage& message) noexcept;
    /// Chooses a new current menu, leaving one out, or withdraws the look.
    void SwitchMenu(TFlatPainter* leaving);
    /// The first registered painter that is Active, has DisableSubclassing clear and is not
    /// the excluded one.
    TFlatPainter* FindSubstitute(const TFlatPainter* excluded) const;
    /// Queues the screen's forms that need the look.
    void CollectForms();
    /// Takes the look off the controls inside a form (the subclass objects stay).
    void ReleaseContainer(FlatHost& container);

    const std::vector<TFlatPainter*>& Menus() const { return m_menus; }
    const std::vector<FlatHost*>& PendingForms() const { return m_pendingForms; }
    const std::vector<FlatHost*>& DoneForms() const { return m_doneForms; }
    TFlatPainter* CurrentMenu() const { return m_currentMenu; }

private:
    TFlatPainterManager() = default;
    void applyPending();

    std::vector<TFlatPainter*> m_menus;
    std::vector<FlatHost*> m_pendingForms;
    std::vector<FlatHost*> m_doneForms;
    TFlatPainter* m_currentMenu = nullptr;
};

} // namespace kelvara
