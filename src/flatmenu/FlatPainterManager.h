#pragma once

#include <vector>

namespace kelvara {

class FlatHost;
class TFlatPainter;

/// The one process-wide registry of painters: which are registered, which one's look is
/// extended to the application's other forms (the current menu), and which forms have it.
/// It exists from the first painter's construction until the last registered one goes.
class TFlatPainterManager
{
public:
    /// The manager, or null when none exists.
    static TFlatPainterManager* instance();
    /// Creates the manager when there is none.
    static TFlatPainterManager& create();
    /// Destroys the manager (when no painter is registered any more).
    static void destroy();

    /// Registers a painter; an active one without DisableSubclassing may become current.
    void AddMenu(TFlatPainter* menu);
    /// Unregisters a painter; the current role passes to the first eligible other one.
    void RemoveMenu(TFlatPainter* menu);
    /// The first registered painter that is Active, has DisableSubclassing clear and is not
    /// the excluded one.
    TFlatPainter* FindSubstitute(const TFlatPainter* excluded) const;

    const std::vector<TFlatPainter*>& Menus() const { return m_menus; }
    const std::vector<FlatHost*>& DoneForms() const { return m_doneForms; }
    TFlatPainter* CurrentMenu() const { return m_currentMenu; }

private:
    TFlatPainterManager() = default;

    std::vector<TFlatPainter*> m_menus;
    std::vector<FlatHost*> m_doneForms;
    TFlatPainter* m_currentMenu = nullptr;
};

} // namespace kelvara
