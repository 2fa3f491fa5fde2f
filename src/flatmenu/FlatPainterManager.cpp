#include "flatmenu/FlatPainterManager.h"

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

template <typename T> void eraseValue(std::vector<T>& list, T value)
{
    list.erase(std::remove(list.begin(), list.end(), value), list.end());
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

void TFlatPainterManager::AddMenu(TFlatPainter* menu)
{
    m_menus.push_back(menu);
    if (menu->hostForm())
        m_doneForms.push_back(menu->hostForm());
    if (!m_currentMenu && menu->Active() && !menu->DisableSubclassing())
        m_currentMenu = menu;
}

void TFlatPainterManager::RemoveMenu(TFlatPainter* menu)
{
    eraseValue(m_menus, menu);
    if (menu->hostForm())
        eraseValue(m_doneForms, menu->hostForm());
    if (m_currentMenu == menu)
        m_currentMenu = FindSubstitute(menu);
}

TFlatPainter* TFlatPainterManager::FindSubstitute(const TFlatPainter* excluded) const
{
    for (TFlatPainter* m : m_menus) {
        if (m != excluded && m->Active() && !m->DisableSubclassing())
            return m;
    }
    return nullptr;
}

} // namespace kelvara
