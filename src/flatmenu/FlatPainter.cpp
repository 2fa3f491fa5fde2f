#include "flatmenu/FlatPainter.h"

#include "flatmenu/ColorFunctions.h"
#include "flatmenu/FlatPainterManager.h"

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

void TFlatPainter::Loaded()
{
    if (m_host && m_host->designing())
        return;
    if (TFlatPainterManager* manager = TFlatPainterManager::instance())
        manager->AddMenu(this);
}

void TFlatPainter::Notification(const Component& component, TOperation operation)
{
    if (!TFlatPainterManager::instance())
        return;
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
    // Tool bars and controls (which take invalidate) are given their look by the control
    // painters; a component here is a menu or nothing.
    (void)invalidate;
    Menu* menu = container.menuOf(component);
    if (!menu)
        return;
    if (menu->kind() == Menu::Kind::Main && component.tag != kLeaveAloneTag &&
        m_flatControls.contains(fcMainMenu))
        applyToMenu(*menu, activate, true);
    // A pop-up menu's own Tag is not looked at; its items' Tags are.
    if (menu->kind() == Menu::Kind::Popup && m_flatControls.contains(fcPopupMenu))
        applyToMenu(*menu, activate, false);
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
