#include "flatmenu/FlatPainter.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/ControlSubClass.h"
#include "flatmenu/FlatPainterManager.h"
#include "flatmenu/ToolBarModel.h"

#include <algorithm>

namespace kelvara {

namespace {

struct PlatformVersion
{
    bool nt;
    bool nt51;
};

// The version query runs once. Every platform this builds for outside the window layer's own
// counts as the NT family (a full window layer with the newer message set), and none as 5.1,
// whose pop-up frames are drawn without the reshaped shadow.
const PlatformVersion& platformVersion()
{
    static const PlatformVersion version{true, false};
    return version;
}

} // namespace

TFlatPainter::TFlatPainter(FlatHost* owner) : m_host(owner), m_font(SystemMenuFont())
{
    m_dimLevel = 30;
    m_grayLevel = 10;
    m_color = clBtnFace;
    m_drawMenuBar = false;
    m_iconBackColor = clBtnFace;
    m_menuBarColor = clBtnFace;
    m_selectColor = clHighlight;
    m_selectBorderColor = clHighlight;
    m_selectFontColor = m_font.color;
    m_disabledColor = clInactiveCaption;
    m_separatorColor = clBtnFace;
    m_checkedColor = clHighlight;
    m_iconWidth = 24;
    m_drawSelect = true;
    m_useSystemColors = true;
    m_useDimColor = false;
    m_overrideOwnerDraw = false;
    m_gradient = false;
    m_flatMenu = false;
    m_autoDetect = false;
    SetFlatContainers(TFlatContainers::all()); // inactive: only stored
    SetFlatControls(TFlatControls::all());
    m_active = false;
    m_disableSubclassing = false;
    if (m_host)
        recompute(m_host->bitsPerPixel());
    m_colorsDirty = false;
    (void)platformVersion();
    if (!(m_host && m_host->designing()))
        TFlatPainterManager::create();
}

TFlatPainter::~TFlatPainter()
{
    if (m_host)
        ApplyToComponents(*m_host, false, false);
    if (!(m_host && m_host->designing())) {
        if (TFlatPainterManager* manager = TFlatPainterManager::instance()) {
            manager->RemoveMenu(this);
            if (m_host)
                m_host->repaint();
            if (manager->Menus().empty())
                TFlatPainterManager::destroy();
        }
    }
    // The subclass objects go with the painter (after the hand-over, which copies them); each
    // gives a control it still hooks its own procedure back first.
    while (!m_subclasses.empty())
        FreeSubclass(m_subclasses.back().get());
}

bool TFlatPainter::IsNT()
{
    return platformVersion().nt;
}

bool TFlatPainter::IsNT51()
{
    return platformVersion().nt51;
}

void TFlatPainter::redrawMenuBar()
{
    if (m_host)
        m_host->redrawMenuBar();
}

void TFlatPainter::SetFont(const kelvara::Font& font)
{
    m_font = font;
    redrawMenuBar();
}

void TFlatPainter::SetColor(TColor c)
{
    m_color = c;
    markDirty();
}

void TFlatPainter::SetIconBackColor(TColor c)
{
    m_iconBackColor = c;
    markDirty();
}

void TFlatPainter::SetMenuBarColor(TColor c)
{
    m_menuBarColor = c;
    markDirty();
    redrawMenuBar();
}

void TFlatPainter::SetSelectColor(TColor c)
{
    m_selectColor = c;
    markDirty();
}

void TFlatPainter::SetSelectBorderColor(TColor c)
{
    m_selectBorderColor = c;
    markDirty();
}

void TFlatPainter::SetSelectFontColor(TColor c)
{
    m_selectFontColor = c;
    markDirty();
}

void TFlatPainter::SetDisabledColor(TColor c)
{
    m_disabledColor = c;
    markDirty();
}

void TFlatPainter::SetSeparatorColor(TColor c)
{
    m_separatorColor = c;
    markDirty();
}

void TFlatPainter::SetCheckedColor(TColor c)
{
    m_checkedColor = c;
    markDirty();
}

void TFlatPainter::SetUseSystemColors(bool v)
{
    // The palette is not marked dirty: the new choice shows at the next colour change.
    m_useSystemColors = v;
    redrawMenuBar();
}

void TFlatPainter::SetActive(bool v)
{
    if (v == m_active)
        return;
    m_active = v;
    if (!m_host)
        return;
    ApplyToComponents(*m_host, v, true);
    if (v) {
        (void)m_host->window();
        m_host->redrawMenuBar();
    }
}

void TFlatPainter::SetFlatContainers(TFlatContainers set)
{
    if (!m_active || !m_host) {
        m_flatContainers = set;
        return;
    }
    if (set == m_flatContainers)
        return;
    m_active = false;
    ApplyToComponents(*m_host, false, true);
    m_active = true;
    m_flatContainers = set;
    ApplyToComponents(*m_host, true, true);
}

void TFlatPainter::SetFlatControls(TFlatControls set)
{
    if (!m_active || !m_host) {
        m_flatControls = set;
        return;
    }
    if (set == m_flatControls)
        return;
    m_active = false;
    ApplyToComponents(*m_host, false, true);
    m_active = true;
    m_flatControls = set;
    ApplyToComponents(*m_host, true, true);
}

void TFlatPainter::SetDisableSubclassing(bool v)
{
    // The value is kept, so that the manager passes over a painter that refuses the role.
    const bool was = m_disableSubclassing;
    m_disableSubclassing = v;
    if (m_host && m_host->designing())
        return;
    if (TFlatPainterManager* manager = TFlatPainterManager::instance()) {
        if (manager->CurrentMenu() == this)
            manager->SwitchMenu(this);
        else if (!manager->CurrentMenu() && !was)
            manager->SwitchMenu(nullptr);
    }
}

void TFlatPainter::Loaded()
{
    if (m_host && m_host->designing())
        return;
    if (TFlatPainterManager* manager = TFlatPainterManager::instance())
        manager->AddMenu(this);
}

void TFlatPainter::Notification(const Component& component, TOperation operation)
{
    TFlatPainterManager* manager = TFlatPainterManager::instance();
    if (!manager)
        return;
    if (!(m_host && m_host->designing()))
        manager->FormNotification(m_host ? m_host->containerOf(component) : nullptr, operation);
    // An inserted item or tool button is handed on; no rule takes hold of one, so nothing
    // visible follows until its menu or bar is applied again.
    if (m_active && m_autoDetect && operation == TOperation::opInsert && m_host &&
        m_host->isMenuItemOrToolButton(component))
        ApplyToComponent(component, true, true);
}

void TFlatPainter::ApplyToComponents(FlatHost& container, bool activate, bool invalidate)
{
    // By index: the list is read afresh at every step, as applying may add to it.
    const ComponentList& list = container.components();
    for (std::size_t i = 0; i < list.count(); ++i)
        applyWith(container, list.at(i), activate, invalidate);
}

void TFlatPainter::ApplyToComponent(const Component& component, bool activate, bool invalidate)
{
    if (m_host)
        applyWith(*m_host, component, activate, invalidate);
}

void TFlatPainter::applyWith(FlatHost& container, const Component& component, bool activate,
                             bool invalidate)
{
    if (Menu* menu = container.menuOf(component)) {
        if (menu->kind() == Menu::Kind::Main && component.tag != kLeaveAloneTag &&
            m_flatControls.contains(fcMainMenu))
            applyToMenu(*menu, activate, true);
        // A pop-up menu's own Tag is not looked at; its items' Tags are.
        if (menu->kind() == Menu::Kind::Popup && m_flatControls.contains(fcPopupMenu))
            applyToMenu(*menu, activate, false);
    }
    if (ToolBar* bar = container.toolBarOf(component);
        bar && m_flatControls.contains(fcToolbar) && !bar->designing())
        applyToToolBar(*bar, activate, invalidate);
    if (m_host && m_host->designing())
        return;
    if (const std::shared_ptr<FlatControl> control = container.controlOf(component))
        applyToControl(*control, control, activate, invalidate);
    // Forms (and data navigators) are walked further.
    if (FlatHost* inner = container.containerOf(component); inner && inner != &container)
        ApplyToComponents(*inner, activate, invalidate);
}

void TFlatPainter::applyToToolBar(ToolBar& bar, bool activate, bool invalidate)
{
    if (!bar.flat())
        bar.setFlat(true);
    if (activate && bar.buttonCount() > 0) {
        if (!bar.OnCustomDrawButton || m_overrideOwnerDraw)
            bar.OnCustomDrawButton = {this, [this](ToolBar& b, ToolButton& button, unsigned state,
                                                   Canvas& canvas, bool& defaultDraw) {
                                          PaintToolButton(b, button, state, canvas, defaultDraw);
                                      }};
    } else if (!activate && bar.OnCustomDrawButton.owner == this) {
        bar.OnCustomDrawButton.clear();
    }
    if (invalidate)
        bar.invalidate();
}

namespace {

// The element of FlatControls a control's kind stands for; the first match counts.
bool controlElement(const FlatControl& control, TFlatControl& element)
{
    const std::string name = control.className();
    if (control.isCustomCombo())
        element = fcCombo;
    else if (control.isEdit())
        element = fcEdit;
    else if (name == "TMaskEdit" || name == "TDBEdit")
        element = fcMaskEdit;
    else if (name == "TBitBtn")
        element = fcBitBtn;
    else if (name == "TButton")
        element = fcButton;
    else if (name == "TUpDown")
        element = fcUpDown;
    else if (control.isCustomPanel())
        element = fcPanel;
    else if (name == "TDBNavigator" || name == "TDBLookupComboBox")
        element = fcButton;
    else
        return false;
    return true;
}

bool containerElement(const FlatControl& parent, TFlatContainer& element)
{
    const std::string name = parent.className();
    if (parent.isToolBar())
        element = fccToolbar;
    else if (parent.isCustomPanel())
        element = fccPanel;
    else if (name == "TdxTabSheet")
        element = fccTabSheet;
    else if (name == "TDBCtrlPanel")
        element = fccFrame;
    else if (parent.isCustomForm())
        element = fccForm;
    else
        return false;
    return true;
}

} // namespace

void TFlatPainter::applyToControl(FlatControl& control, const std::shared_ptr<FlatControl>& shared,
                                  bool activate, bool invalidate)
{
    TFlatControl kind;
    if (!controlElement(control, kind) || !m_flatControls.contains(kind))
        return;
    const std::shared_ptr<FlatControl> parent = control.parent();
    TFlatContainer place;
    if (!parent || !containerElement(*parent, place) || !m_flatContainers.contains(place))
        return;
    if (activate && control.tag() != kLeaveAloneTag && parent->tag() != kLeaveAloneTag) {
        TControlSubClass& subclass = AddSubclass(std::make_unique<TControlSubClass>(this, shared));
        // A control some subclass already hooks keeps it: this one stays idle.
        subclass.Hook();
    }
    if (invalidate)
        control.invalidate();
}

TControlSubClass& TFlatPainter::AddSubclass(std::unique_ptr<TControlSubClass> subclass)
{
    m_subclasses.push_back(std::move(subclass));
    return *m_subclasses.back();
}

void TFlatPainter::FreeSubclass(TControlSubClass* subclass)
{
    const auto it = std::find_if(m_subclasses.begin(), m_subclasses.end(),
                                 [subclass](const auto& p) { return p.get() == subclass; });
    if (it == m_subclasses.end())
        return;
    // Out of the list first, so that anything its destructor reaches sees it gone.
    std::unique_ptr<TControlSubClass> gone = std::move(*it);
    m_subclasses.erase(it);
    gone.reset();
}

void TFlatPainter::applyToMenu(Menu& menu, bool activate, bool refreshBar)
{
    for (int i = 0; i < menu.count(); ++i) {
        menu.setOwnerDraw(activate);
        if (MenuItem* item = menu.item(i))
            InstallItemHandlers(*item, activate);
    }
    if (refreshBar && menu.count() > 0) {
        // Setting the first caption to empty and back makes the window rebuild its bar.
        if (MenuItem* first = menu.item(0)) {
            const std::u16string caption = first->caption();
            first->setCaption(std::u16string());
            first->setCaption(caption);
        }
    }
}

void TFlatPainter::InstallItemHandlers(MenuItem& item, bool activate)
{
    if (item.tag() != kLeaveAloneTag) {
        if (activate) {
            if (!item.OnDrawItem || m_overrideOwnerDraw)
                item.OnDrawItem = {this,
                                   [this](MenuItem& i, Canvas& c, const Rect& r, bool selected) {
                                       PaintMenuItem(i, c, r, selected);
                                   }};
            if (!item.OnMeasureItem || m_overrideOwnerDraw)
                item.OnMeasureItem = {this, [this](MenuItem& i, Canvas& c, int& w, int& h) {
                                          MeasureMenuItem(i, c, w, h);
                                      }};
        } else {
            if (item.OnDrawItem.owner == this)
                item.OnDrawItem.clear();
            if (item.OnMeasureItem.owner == this)
                item.OnMeasureItem.clear();
        }
    }
    for (int i = 0; i < item.count(); ++i) {
        if (MenuItem* sub = item.item(i))
            InstallItemHandlers(*sub, activate);
    }
}

void TFlatPainter::RecomputePalette(const Canvas& canvas)
{
    recompute(canvas.bitsPerPixel());
}

void TFlatPainter::recompute(int bitsPerPixel)
{
    m_colorsDirty = false;
    m_highColor = bitsPerPixel > 15;
    m_buttonFaceLevel = 16;
    m_buttonHotFaceLevel = 40;
    PaintMenuColor = m_color;
    PaintIconColumnColor = m_iconBackColor;
    if (m_highColor) {
        if (m_useDimColor) {
            PaintSelectColor = Lighten(m_selectColor, 68);
            PaintCheckAreaColor = Lighten(m_selectColor, 80);
            PaintCheckAreaSelectColor = Lighten(m_selectColor, 50);
        } else {
            PaintSelectColor = m_selectColor;
            PaintCheckAreaColor = m_selectColor;
            PaintCheckAreaSelectColor = m_selectColor;
        }
        PaintFrameColor = Darken(clBtnFace, 90);
        PaintShadowColor = Darken(clBtnFace, 76);
    } else {
        PaintSelectColor = m_selectColor;
        PaintCheckAreaColor = clWhite;
        PaintCheckAreaSelectColor = clSilver;
        PaintFrameColor = clBtnShadow;
        PaintShadowColor = clBtnShadow;
    }
    PaintSelectBorderColor = m_selectBorderColor;
    PaintSelectFontColor = m_selectFontColor;
    PaintMenuBarColor = m_menuBarColor;
    PaintDisabledColor = m_disabledColor;
    PaintCheckedColor = m_checkedColor;
    PaintSeparatorColor = m_separatorColor;
    if (m_useSystemColors) {
        PaintSelectFontColor = m_font.color;
        PaintMenuColor = m_highColor ? Lighten(clBtnFace, 86) : clWhite;
        PaintIconColumnColor = m_highColor ? Lighten(clBtnFace, 16) : clBtnFace;
        PaintSelectColor = m_highColor ? Lighten(clHighlight, 68) : clWhite;
        PaintSelectBorderColor = clHighlight;
        PaintMenuBarColor = clBtnFace;
        PaintDisabledColor = m_highColor ? Lighten(clBtnShadow, 10) : clBtnShadow;
        PaintSeparatorColor = m_highColor ? Lighten(clBtnShadow, 25) : clBtnShadow;
        PaintCheckedColor = clHighlight;
        PaintCheckAreaColor = m_highColor ? Lighten(clHighlight, 80) : clWhite;
        PaintCheckAreaSelectColor = m_highColor ? Lighten(clHighlight, 50) : clWhite;
    }
}

TColor TFlatPainter::ContrastTextColor(TColor c) const
{
    const TColor rgb = ColorToRGB(c);
    if ((GetRValue(rgb) + GetBValue(rgb)) / 2 > 150 || GetGValue(rgb) > 200)
        return m_font.color;
    return Lighten(c, 90);
}

void TFlatPainterStoredProperties::Assign(TFlatPainter& p) const
{
    p.SetDimLevel(DimLevel);
    p.SetGrayLevel(GrayLevel);
    p.SetFont(Font);
    p.SetColor(Color);
    p.SetDrawMenuBar(DrawMenuBar);
    p.SetIconBackColor(IconBackColor);
    p.SetMenuBarColor(MenuBarColor);
    p.SetSelectColor(SelectColor);
    p.SetSelectBorderColor(SelectBorderColor);
    p.SetSelectFontColor(SelectFontColor);
    p.SetDisabledColor(DisabledColor);
    p.SetSeparatorColor(SeparatorColor);
    p.SetCheckedColor(CheckedColor);
    p.SetIconWidth(IconWidth);
    p.SetDrawSelect(DrawSelect);
    p.SetUseSystemColors(UseSystemColors);
    p.SetUseDimColor(UseDimColor);
    p.SetOverrideOwnerDraw(OverrideOwnerDraw);
    p.SetGradient(Gradient);
    p.SetFlatMenu(FlatMenu);
    p.SetAutoDetect(AutoDetect);
    p.SetActive(Active);
}

} // namespace kelvara
