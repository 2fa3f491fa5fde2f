#pragma once

#include "flatmenu/Bitmap.h"
#include "flatmenu/MenuModel.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvara {

/// Images of one size, each a square of one colour on a magenta background.
class FakeMenuImages : public MenuImages
{
public:
    FakeMenuImages(int w, int h, std::vector<TColor> colours)
        : m_w(w), m_h(h), m_colours(std::move(colours))
    {}
    int width() const override { return m_w; }
    int height() const override { return m_h; }
    int count() const override { return static_cast<int>(m_colours.size()); }
    void draw(Canvas& target, int x, int y, int index) const override
    {
        if (index < 0 || index >= count())
            return;
        Bitmap image(m_w, m_h);
        image.fill(kBackground);
        image.setBrushColor(m_colours[static_cast<std::size_t>(index)]);
        image.fillRect({2, 2, m_w - 2, m_h - 2});
        target.draw(x, y, image, true);
    }
    static constexpr TColor kBackground = RGB(255, 0, 255);

private:
    int m_w;
    int m_h;
    std::vector<TColor> m_colours;
};

class FakeMenu;

class FakeItem : public MenuItem
{
public:
    explicit FakeItem(std::u16string caption) : m_caption(std::move(caption)) {}

    FakeItem& add(std::u16string caption)
    {
        m_items.push_back(std::make_unique<FakeItem>(std::move(caption)));
        m_items.back()->m_parent = this;
        m_items.back()->m_menu = m_menu;
        return *m_items.back();
    }

    std::u16string caption() const override
    {
        if (throwOnCaption)
            throw std::runtime_error("caption");
        return m_caption;
    }
    void setCaption(const std::u16string& caption) override
    {
        m_caption = caption;
        captionsSet.push_back(caption);
    }
    std::u16string shortCutText() const override { return shortcut; }
    int tag() const override { return itemTag; }
    Menu* menu() const override;
    MenuItem* parent() const override { return m_parent; }
    int count() const override { return static_cast<int>(m_items.size()); }
    MenuItem* item(int i) const override { return m_items.at(static_cast<std::size_t>(i)).get(); }
    int imageIndex() const override { return image; }
    const MenuImages* subMenuImages() const override { return subImages; }
    const Bitmap* bitmap() const override { return ownBitmap.empty() ? nullptr : &ownBitmap; }
    bool checked() const override { return isChecked; }
    bool radioItem() const override { return isRadio; }
    bool enabled() const override { return isEnabled; }
    bool isDefault() const override { return isDefaultItem; }

    FakeItem& child(int i) { return *m_items.at(static_cast<std::size_t>(i)); }
    void setMenu(FakeMenu* menu)
    {
        m_menu = menu;
        for (auto& i : m_items)
            i->setMenu(menu);
    }

    std::u16string shortcut;
    int itemTag = 0;
    int image = -1;
    const MenuImages* subImages = nullptr;
    Bitmap ownBitmap;
    bool isChecked = false;
    bool isRadio = false;
    bool isEnabled = true;
    bool isDefaultItem = false;
    bool throwOnCaption = false;
    std::vector<std::u16string> captionsSet;

private:
    std::u16string m_caption;
    FakeItem* m_parent = nullptr;
    FakeMenu* m_menu = nullptr;
    std::vector<std::unique_ptr<FakeItem>> m_items;
};

class FakeMenu : public Menu
{
public:
    explicit FakeMenu(Kind kind) : m_kind(kind) {}
    FakeItem& add(std::u16string caption)
    {
        m_items.push_back(std::make_unique<FakeItem>(std::move(caption)));
        m_items.back()->setMenu(this);
        return *m_items.back();
    }
    Kind kind() const override { return m_kind; }
    int count() const override { return static_cast<int>(m_items.size()); }
    MenuItem* item(int i) const override { return m_items.at(static_cast<std::size_t>(i)).get(); }
    bool ownerDraw() const override { return m_ownerDraw; }
    void setOwnerDraw(bool on) override { m_ownerDraw = on; }
    const MenuImages* images() const override { return imageList; }
    bool isRightToLeft() const override { return rightToLeft; }

    FakeItem& at(int i) { return *m_items.at(static_cast<std::size_t>(i)); }
    /// Gives every item its menu again (after sub-items were added).
    void adopt()
    {
        for (auto& i : m_items)
            i->setMenu(this);
    }

    const MenuImages* imageList = nullptr;
    bool rightToLeft = false;

private:
    Kind m_kind;
    bool m_ownerDraw = false;
    std::vector<std::unique_ptr<FakeItem>> m_items;
};

inline Menu* FakeItem::menu() const
{
    return m_menu;
}

/// A form with a component list whose objects are FakeMenus (or anything else).
class FakeHost : public FlatHost
{
public:
    FakeHost() : list("FormTest") {}
    void addMenu(const std::string& name, FakeMenu& menu, int tag = 0)
    {
        list.add(name, &menu, tag);
        menus.push_back(&menu);
    }
    const ComponentList& components() const override { return list; }
    Menu* menuOf(const Component& c) override
    {
        for (FakeMenu* m : menus)
            if (c.object == m)
                return m;
        return nullptr;
    }
    bool isMenuItemOrToolButton(const Component& c) const override
    {
        return c.name.rfind("Item", 0) == 0;
    }
    void* window() override
    {
        ++windowRequests;
        return this;
    }
    int clientWidth() const override { return 300; }
    Point cursorPos() const override { return cursor; }
    int bitsPerPixel() const override { return depth; }
    void redrawMenuBar() override { ++menuBarRedraws; }
    void repaint() override { ++repaints; }

    ComponentList list;
    std::vector<FakeMenu*> menus;
    Point cursor{-100, -100};
    int depth = 32;
    int windowRequests = 0;
    int menuBarRedraws = 0;
    int repaints = 0;
};

} // namespace kelvara
