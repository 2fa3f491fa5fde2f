#include "platform/Components.h"

namespace kelvara {

bool ComponentList::acceptable(std::string_view name, const void* object) const
{
    return !name.empty() && object != nullptr && indexOf(name) < 0 && indexOfObject(object) < 0;
}

bool ComponentList::add(std::string name, void* object, int tag)
{
    return insert(m_components.size(), std::move(name), object, tag);
}

bool ComponentList::insert(std::size_t index, std::string name, void* object, int tag)
{
    if (!acceptable(name, object))
        return false;
    if (index > m_components.size())
        index = m_components.size();
    m_components.insert(m_components.begin() + static_cast<std::ptrdiff_t>(index),
                        Component{std::move(name), object, tag});
    return true;
}

bool ComponentList::remove(const void* object)
{
    const int i = indexOfObject(object);
    if (i < 0)
        return false;
    m_components.erase(m_components.begin() + i);
    return true;
}

int ComponentList::indexOf(std::string_view name) const
{
    for (std::size_t i = 0; i < m_components.size(); ++i) {
        if (m_components[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

int ComponentList::indexOfObject(const void* object) const
{
    if (!object)
        return -1;
    for (std::size_t i = 0; i < m_components.size(); ++i) {
        if (m_components[i].object == object)
            return static_cast<int>(i);
    }
    return -1;
}

const Component* ComponentList::find(std::string_view name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : &m_components[static_cast<std::size_t>(i)];
}

int ComponentList::tag(std::string_view name) const
{
    const Component* c = find(name);
    return c ? c->tag : 0;
}

bool ComponentList::setTag(std::string_view name, int tag)
{
    const int i = indexOf(name);
    if (i < 0)
        return false;
    m_components[static_cast<std::size_t>(i)].tag = tag;
    return true;
}

} // namespace kelvara
