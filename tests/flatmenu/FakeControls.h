#pragma once

#include "FakeMenus.h"

#include "flatmenu/ControlModel.h"
#include "flatmenu/FlatPainterManager.h"
#include "flatmenu/TextRenderer.h"
#include "flatmenu/ToolBarModel.h"

#include <algorithm>
#include <functional>

namespace kelvara {

/// A control painted on a bitmap of its own, recording what reaches its own handling.
class FakeControl : public FlatControl
{
public:
    enum class Kind { Edit, Combo, Panel, Button, ToolBar, Form };
    FakeControl(Kind kind, std::string className, int w = 60, int h = 22)
        : kind(kind), name(std::move(className)), surface(w, h, 32, &cells)
    {
        surface.fill(kContent);
    }

    std::string className() const override { return name; }
    bool isCustomCombo() const override { return kind == Kind::Combo; }
    bool isEdit() const override { return kind == Kind::Edit; }
    bool isCustomPanel() const override { return kind == Kind::Panel; }
    bool isToolBar() const override { return kind == Kind::ToolBar; }
    bool isCustomForm() const override { return kind == Kind::Form; }
    bool isButton() const override { return kind == Kind::Button; }
    int tag() const override { return tagValue; }
    std::shared_ptr<FlatControl> parent() const override { return parentControl; }
    TColor color() const override { return colour; }
    Rect clientRect() const override { return {0, 0, surface.width(), surface.height()}; }
    bool enabled() const override { return enabledValue; }
    bool focused() const override { return focusedValue; }
    bool ctl3D() const override { return ctl3d; }
    void setCtl3D(bool v) override { ctl3d = v; }
    TBorderStyle borderStyle() const override { return border; }
    void setBorderStyle(TBorderStyle s) override { border = s; }
    TComboStyle comboStyle() const override { return style; }
    bool droppedDown() const override { return dropped; }
    int scrollThumbWidth() const override { return thumb; }
    TBevelCut bevelOuter() const override { return outer; }
    TBevelCut bevelInner() const override { return inner; }
    std::u16string caption() const override { return text; }
    Font font() const override { return Font{u"Cells", -10, 1, clBtnText}; }
    bool glyph(Bitmap& b) const override
    {
        if (glyphStrip.empty())
            return false;
        b = glyphStrip;
        return true;
    }
    int numGlyphs() const override { return glyphs; }
    TButtonLayout layout() const override { return glyphLayout; }
    void invalidate() override { ++invalidations; }
    void sendMessage(const ControlMessage& m) override
    {
        ControlMessage copy = m;
        deliver(copy);
    }
    WindowProc* windowProc() const override { return proc; }
    void setWindowProc(WindowProc* p) override { proc = p; }
    void defaultProc(ControlMessage& m) override
    {
        own.push_back(m.msg);
        if (onOwn)
            onOwn(m);
    }
    Canvas* beginPaint() override
    {
        ++paints;
        return &surface;
    }

    /// A message as the control's window gets it: through its procedure.
    void deliver(ControlMessage& m)
    {
        if (proc)
            proc->windowProc(m);
        else
            defaultProc(m);
    }
    void deliver(unsigned msg, std::uintptr_t w = 0)
    {
        ControlMessage m{msg, w, 0, 0};
        deliver(m);
    }

    static constexpr TColor kContent = RGB(250, 250, 250);
    CellTextRenderer cells{6, 10, 13};
    Kind kind;
    std::string name;
    Bitmap surface;
    std::shared_ptr<FlatControl> parentControl;
    int tagValue = 0;
    TColor colour = clWhite;
    bool enabledValue = true;
    bool focusedValue = false;
    bool ctl3d = false;
    TBorderStyle border = TBorderStyle::bsSingle;
    TComboStyle style = TComboStyle::csDropDown;
    bool dropped = false;
    int thumb = 16;
    TBevelCut outer = TBevelCut::bvRaised;
    TBevelCut inner = TBevelCut::bvNone;
    std::u16string text;
    Bitmap glyphStrip;
    int glyphs = 1;
    TButtonLayout glyphLayout = TButtonLayout::blGlyphLeft;
    WindowProc* proc = nullptr;
    std::vector<unsigned> own;
    std::function<void(ControlMessage&)> onOwn;
    int invalidations = 0;
    int paints = 0;
};

class FakeToolButton : public ToolButton
{
public:
    FakeToolButton(ToolButtonStyle s, Rect r, int image = -1) : kind(s), rect(r), image(image) {}
    ToolButtonStyle style() const override { return kind; }
    Rect bounds() const override { return rect; }
    int imageIndex() const override { return image; }
    bool enabled() const override { return enabledValue; }
    int tag() const override { return tagValue; }
    std::u16string caption() const override { return u"Go"; }

    ToolButtonStyle kind;
    Rect rect;
    int image;
    bool enabledValue = true;
    int tagValue = 0;
};

class FakeToolBar : public ToolBar
{
public:
    int buttonCount() const override { return static_cast<int>(buttons.size()); }
    ToolButton* button(int i) const override { return buttons.at(static_cast<std::size_t>(i)); }
    TColor color() const override { return colour; }
    const Font& font() const override { return barFont; }
    const MenuImages* images() const override { return imageList; }
    const MenuImages* disabledImages() const override { return disabledList; }
    bool flat() const override { return flatValue; }
    void setFlat(bool f) override { flatValue = f; }
    void invalidate() override { ++invalidations; }

    std::vector<ToolButton*> buttons;
    TColor colour = RGB(200, 200, 200);
    Font barFont;
    const MenuImages* imageList = nullptr;
    const MenuImages* disabledList = nullptr;
    bool flatValue = false;
    int invalidations = 0;
};

/// A form whose component list also holds controls and tool bars.
class FakeForm : public FakeHost
{
public:
    explicit FakeForm(std::string formName = "FormTest") { list = ComponentList(formName); }
    std::shared_ptr<FakeControl> addControl(const std::string& name,
                                            std::shared_ptr<FakeControl> control, int tag = 0)
    {
        control->tagValue = tag;
        list.add(name, control.get(), tag);
        controls.push_back(control);
        return control;
    }
    void addToolBar(const std::string& name, FakeToolBar& bar)
    {
        list.add(name, &bar);
        bars.push_back(&bar);
    }
    ToolBar* toolBarOf(const Component& c) override
    {
        for (FakeToolBar* b : bars)
            if (c.object == b)
                return b;
        return nullptr;
    }
    std::shared_ptr<FlatControl> controlOf(const Component& c) override
    {
        for (auto& control : controls)
            if (c.object == control.get())
                return control;
        return nullptr;
    }
    bool containsControl(const FlatControl& c) const override
    {
        return std::any_of(controls.begin(), controls.end(),
                           [&c](const auto& p) { return p.get() == &c; });
    }
    bool ownsFlatPainter() const override { return ownPainter; }

    std::vector<std::shared_ptr<FakeControl>> controls;
    std::vector<FakeToolBar*> bars;
    bool ownPainter = false;
};

class FakeScreen : public FlatScreen
{
public:
    std::vector<FlatHost*> forms() override { return screenForms; }
    bool hasMainForm() const override { return mainForm; }
    PopupWindow* popupWindow(void* w) override { return static_cast<PopupWindow*>(w); }
    PopupWindow* windowFromPoint(Point p) override
    {
        points.push_back(p);
        return under;
    }
    Rect menuItemRect(MenuItem&) override { return itemRect; }

    std::vector<FlatHost*> screenForms;
    bool mainForm = true;
    PopupWindow* under = nullptr;
    Rect itemRect;
    std::vector<Point> points;
};

} // namespace kelvara
