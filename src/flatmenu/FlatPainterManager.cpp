#include "flatmenu/FlatPainterManager.h"

#include "flatmenu/ControlSubClass.h"
#include "flatmenu/FlatPainter.h"

#include <algorithm>
#include <memory>

namespace kelvara {

namespace {

std::unique_ptr<TFlatPainterManager>& slot()
{
    static std::unique_ptr<TFlatPainterManager> manager;
    return manager;
}

FlatScreen*& screenSlot()
{
    static FlatScreen* screen = nullptr;
    return screen;
}

template <typename T> void eraseValue(std::vector<T>& list, T value)
{
    list.erase(std::remove(list.begin(), list.end(), value), list.end());
}

template <typename T> bool holds(const std::vector<T>& list, T value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

TFlatPainterManager* TFlatPainterManager::instance()
{
    return slot().get();
}

TFlatPainterManager& TFlatPainterManager::create()
{
    if (!slot())
        slot().reset(new TFlatPainterManager);
    return *slot();
}

void TFlatPainterManager::destroy()
{
    slot().reset();
}

void TFlatPainterManager::setScreen(FlatScreen* screen)
{
    screenSlot() = screen;
}

FlatScreen* TFlatPainterManager::screen()
{
    return screenSlot();
}

void TFlatPainterManager::AddMenu(TFlatPainter* menu)
{
    m_menus.push_back(menu);
    if (menu->hostForm())
        m_doneForms.push_back(menu->hostForm());
    if (!m_currentMenu && menu->Active() && !menu->DisableSubclassing()) {
        m_currentMenu = menu;
        CollectForms();
    }
}

void TFlatPainterManager::RemoveMenu(TFlatPainter* menu)
{
    eraseValue(m_menus, menu);
    if (m_currentMenu == menu)
        SwitchMenu(menu);
    if (menu->hostForm())
        eraseValue(m_doneForms, menu->hostForm());
    if (m_currentMenu == menu)
        m_currentMenu = nullptr;
}

TFlatPainter* TFlatPainterManager::FindSubstitute(const TFlatPainter* excluded) const
{
    for (TFlatPainter* m : m_menus) {
        if (m != excluded && m->Active() && !m->DisableSubclassing())
            return m;
    }
    return nullptr;
}

void TFlatPainterManager::CollectForms()
{
    FlatScreen* s = screen();
    if (!s)
        return;
    for (FlatHost* form : s->forms()) {
        if (!form || holds(m_doneForms, form) || form->tag() == kLeaveAloneTag)
            continue;
        if (!form->ownsFlatPainter() && !holds(m_pendingForms, form))
            m_pendingForms.push_back(form);
    }
}

void TFlatPainterManager::FormNotification(FlatHost* form, TOperation operation)
{
    if (!form)
        return;
    // A form that goes leaves the lists also without a current menu: they are walked again
    // when a menu becomes current or the look is withdrawn.
    if (operation == TOperation::opRemove) {
        eraseValue(m_pendingForms, form);
        eraseValue(m_doneForms, form);
        return;
    }
    if (m_currentMenu && !holds(m_pendingForms, form))
        m_pendingForms.push_back(form);
}

bool TFlatPainterManager::HookProc(const ControlMessage& message) noexcept
{
    // The common path: two comparisons and an empty-list test.
    if (message.msg == WM_FLATFRAME_ITEM || message.msg == WM_FLATFRAME_WINDOW) {
        try {
            FlatScreen* s = screen();
            if (s && m_currentMenu && message.lParam != 0) {
                if (message.msg == WM_FLATFRAME_ITEM) {
                    auto* item = reinterpret_cast<MenuItem*>(message.lParam);
                    const Rect r = s->menuItemRect(*item);
                    const Point centre{r.left + (r.right - r.left) / 2,
                                       r.top + (r.bottom - r.top) / 2};
                    if (PopupWindow* window = s->windowFromPoint(centre)) {
                        const bool rtl = item->menu() && item->menu()->isRightToLeft();
                        m_currentMenu->PaintPopupFrame(window, rtl);
                    }
                } else if (PopupWindow* window =
                               s->popupWindow(reinterpret_cast<void*>(message.lParam))) {
                    m_currentMenu->PaintPopupFrame(window, message.wParam != 0);
                }
            }
        } catch (...) {
        }
    }
    if (!m_pendingForms.empty()) {
        try {
            applyPending();
        } catch (...) {
        }
        m_pendingForms.clear();
    }
    return false;
}

void TFlatPainterManager::applyPending()
{
    // By index over the list itself: a form destroyed meanwhile leaves it, one created
    // meanwhile joins it.
    for (std::size_t i = 0; i < m_pendingForms.size(); ++i) {
        FlatHost* form = m_pendingForms[i];
        if (holds(m_doneForms, form))
            continue;
        m_doneForms.push_back(form);
        if (m_currentMenu)
            m_currentMenu->ApplyToComponents(*form, true, true);
    }
}

void TFlatPainterManager::SwitchMenu(TFlatPainter* leaving)
{
    TFlatPainter* s = FindSubstitute(leaving);
    if (s && !m_currentMenu) {
        m_currentMenu = s;
        CollectForms();
        return;
    }
    if (s) {
        if (leaving) {
            FlatHost* leavingHost = leaving->hostForm();
            // Copied by index: the list is the current menu's and does not change here.
            const auto& owned = m_currentMenu->Subclasses();
            for (std::size_t i = 0; i < owned.size(); ++i) {
                TControlSubClass& old = *owned[i];
                if (!old.hooking() || (leavingHost && leavingHost->containsControl(*old.Control)))
                    continue;
                auto copy = std::make_unique<TControlSubClass>(s, old.Control);
                copy->PreviousWindowProc = old.PreviousWindowProc;
                copy->SavedCtl3D = old.SavedCtl3D;
                copy->SavedBorderStyle = old.SavedBorderStyle;
                TControlSubClass& made = s->AddSubclass(std::move(copy));
                made.Control->setWindowProc(&made);
            }
        }
        m_currentMenu = s;
        return;
    }
    m_pendingForms.clear();
    FlatScreen* screenNow = screen();
    if (screenNow && screenNow->hasMainForm()) {
        const FlatHost* leavingHost = leaving ? leaving->hostForm() : nullptr;
        if (m_currentMenu) {
            for (FlatHost* form : m_doneForms) {
                if (form != leavingHost)
                    ReleaseContainer(*form);
            }
        }
        m_doneForms.clear();
        m_currentMenu = nullptr;
    }
}

void TFlatPainterManager::ReleaseContainer(FlatHost& container)
{
    if (!m_currentMenu)
        return;
    const auto& owned = m_currentMenu->Subclasses();
    for (std::size_t i = owned.size(); i-- > 0;) {
        TControlSubClass& subclass = *owned[i];
        try {
            if (subclass.Control && container.containsControl(*subclass.Control))
                subclass.Restore();
        } catch (...) {
        }
    }
}

} // namespace kelvara
