#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvara {

/// One component of a form: its name, its Tag and the toolkit object that stands for it.
struct Component
{
    std::string name;
    void* object = nullptr; ///< opaque here; the view side knows what it is
    int tag = 0;
};

/// The components a form owns, in the order its layout declares them. The flat painter walks
/// this list the way the platform walks a form's component array, so the order matters: a
/// component declared after the painter is not seen when the painter activates.
class ComponentList
{
public:
    explicit ComponentList(std::string ownerName = {}, int ownerTag = 0)
        : m_ownerName(std::move(ownerName)), m_ownerTag(ownerTag)
    {}

    const std::string& ownerName() const { return m_ownerName; }
    int ownerTag() const { return m_ownerTag; }
    void setOwnerTag(int tag) { m_ownerTag = tag; }

    /// Appends a component. A name or object already in the list, an empty name or a null
    /// object is refused (the answer is false and nothing changes).
    bool add(std::string name, void* object, int tag = 0);
    /// Inserts a component before index (at the end when index is past it); refused as add().
    bool insert(std::size_t index, std::string name, void* object, int tag = 0);
    /// Takes a component out of the list (it is being destroyed); false when it is not there.
    bool remove(const void* object);

    std::size_t count() const { return m_components.size(); }
    const Component& at(std::size_t index) const { return m_components.at(index); }
    auto begin() const { return m_components.begin(); }
    auto end() const { return m_components.end(); }

    /// The position of a component by name, or by its object; -1 when absent.
    int indexOf(std::string_view name) const;
    int indexOfObject(const void* object) const;
    /// The component of that name, or null.
    const Component* find(std::string_view name) const;

    /// The Tag of a component; 0 when it is absent.
    int tag(std::string_view name) const;
    /// Sets the Tag of a component; false when it is absent.
    bool setTag(std::string_view name, int tag);

private:
    bool acceptable(std::string_view name, const void* object) const;

    std::string m_ownerName;
    int m_ownerTag;
    std::vector<Component> m_components;
};

} // namespace kelvara
