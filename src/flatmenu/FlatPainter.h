#pragma once

#include "flatmenu/Canvas.h"
#include "flatmenu/Font.h"
#include "flatmenu/MenuModel.h"
#include "platform/SystemColors.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

class Bitmap;
class PopupWindow;
class TControlSubClass;
class ToolBar;
class ToolButton;

enum TFlatContainer : int {
    fccForm,
    fccFrame,
    fccToolbar,
    fccCoolbar,
    fccControlbar,
    fccPanel,
    fccScrollBox,
    fccGroupBox,
    fccTabSheet,
    fccPageScroller
};

enum TFlatControl : int {
    fcMainMenu,
    fcPopupMenu,
    fcToolbar,
    fcControlbar,
    fcCombo,
    fcListBox,
    fcEdit,
    fcMaskEdit,
    fcMemo,
    fcRichEdit,
    fcMiscEdit,
    fcCheckBox,
    fcRadioButton,
    fcButton,
    fcBitBtn,
    fcSpeedButton,
    fcUpDown,
    fcPanel,
    fcGroupBox,
    fcTreeView,
    fcListView,
    fcProgressBar,
    fcHotKey
};

/// A set of enumeration values as a bit mask (bit 0 for the first value).
template <typename Element, int Count> class FlatSet
{
public:
    static constexpr std::uint32_t kFullMask = (1u << Count) - 1u;
    constexpr FlatSet() = default;
    constexpr explicit FlatSet(std::uint32_t mask) : m_mask(mask & kFullMask) {}
    constexpr FlatSet(std::initializer_list<Element> elements)
    {
        for (Element e : elements)
            m_mask |= 1u << static_cast<int>(e);
    }
    static constexpr FlatSet all() { return FlatSet(kFullMask); }
    constexpr bool contains(Element e) const { return (m_mask >> static_cast<int>(e)) & 1u; }
    constexpr std::uint32_t mask() const { return m_mask; }
    friend constexpr bool operator==(FlatSet, FlatSet) = default;

private:
    std::uint32_t m_mask = 0;
};

using TFlatContainers = FlatSet<TFlatContainer, 10>;
using TFlatControls = FlatSet<TFlatControl, 23>;

/// What a component notification says happened.
enum class TOperation { opInsert, opRemove };

/// The flat look of a form's menus: it installs measure and draw handlers on every item of
/// the form's main and pop-up menus and keeps the colour model they paint with. Its
/// properties are set in declaration order while the form is read; setting Active while
/// reading takes hold of the components that exist at that moment.
class TFlatPainter
{
public:
    /// A painter on a form (null: no host form, as at design time without one).
    explicit TFlatPainter(FlatHost* owner);
    ~TFlatPainter();
    TFlatPainter(const TFlatPainter&) = delete;
    TFlatPainter& operator=(const TFlatPainter&) = delete;

    // ---- published properties, in declaration order

    int DimLevel() const { return m_dimLevel; }
    void SetDimLevel(int v) { m_dimLevel = static_cast<std::uint8_t>(v); }
    int GrayLevel() const { return m_grayLevel; }
    void SetGrayLevel(int v) { m_grayLevel = static_cast<std::uint8_t>(v); }
    const kelvara::Font& Font() const { return m_font; }
    void SetFont(const kelvara::Font& font);
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    bool DrawMenuBar() const { return m_drawMenuBar; }
    void SetDrawMenuBar(bool v) { m_drawMenuBar = v; }
    TColor IconBackColor() const { return m_iconBackColor; }
    void SetIconBackColor(TColor c);
    TColor MenuBarColor() const { return m_menuBarColor; }
    void SetMenuBarColor(TColor c);
    TColor SelectColor() const { return m_selectColor; }
    void SetSelectColor(TColor c);
    TColor SelectBorderColor() const { return m_selectBorderColor; }
    void SetSelectBorderColor(TColor c);
    TColor SelectFontColor() const { return m_selectFontColor; }
    void SetSelectFontColor(TColor c);
    TColor DisabledColor() const { return m_disabledColor; }
    void SetDisabledColor(TColor c);
    TColor SeparatorColor() const { return m_separatorColor; }
    void SetSeparatorColor(TColor c);
    TColor CheckedColor() const { return m_checkedColor; }
    void SetCheckedColor(TColor c);
    int IconWidth() const { return m_iconWidth; }
    void SetIconWidth(int v) { m_iconWidth = v; }
    bool DrawSelect() const { return m_drawSelect; }
    void SetDrawSelect(bool v) { m_drawSelect = v; }
    bool UseSystemColors() const { return m_useSystemColors; }
    void SetUseSystemColors(bool v);
    bool UseDimColor() const { return m_useDimColor; }
    void SetUseDimColor(bool v) { m_useDimColor = v; }
    bool OverrideOwnerDraw() const { return m_overrideOwnerDraw; }
    void SetOverrideOwnerDraw(bool v) { m_overrideOwnerDraw = v; }
    bool Gradient() const { return m_gradient; }
    void SetGradient(bool v) { m_gradient = v; }
    bool FlatMenu() const { return m_flatMenu; }
    void SetFlatMenu(bool v) { m_flatMenu = v; }
    bool AutoDetect() const { return m_autoDetect; }
    void SetAutoDetect(bool v) { m_autoDetect = v; }
    TFlatContainers FlatContainers() const { return m_flatContainers; }
    void SetFlatContainers(TFlatContainers set);
    TFlatControls FlatControls() const { return m_flatControls; }
    void SetFlatControls(TFlatControls set);
    bool Active() const { return m_active; }
    void SetActive(bool v);
    bool DisableSubclassing() const { return m_disableSubclassing; }
    void SetDisableSubclassing(bool v);

    // ---- lifecycle

    /// After the form is read: registers with the manager.
    void Loaded();
    /// A component of the form was inserted or removed.
    void Notification(const Component& component, TOperation operation);
    /// Walks the components the container owns, in index order.
    void ApplyToComponents(FlatHost& container, bool activate, bool invalidate);
    void ApplyToComponent(const Component& component, bool activate, bool invalidate);
    /// Installs (or removes) the item handlers on an item and all its descendants.
    void InstallItemHandlers(MenuItem& item, bool activate);

    // ---- colour model

    /// Recomputes the working palette for the canvas's device depth.
    void RecomputePalette(const Canvas& canvas);
    /// The font colour on light colours, otherwise the colour lightened by 90.
    TColor ContrastTextColor(TColor c) const;
    bool ColorsDirty() const { return m_colorsDirty; }
    bool HighColor() const { return m_highColor; }
    int ButtonFaceLevel() const { return m_buttonFaceLevel; }
    int ButtonHotFaceLevel() const { return m_buttonHotFaceLevel; }
    /// The platform is of the NT family (decided once: yes on Linux).
    static bool IsNT();
    /// The platform is version 5.1 (decided once: no on Linux).
    static bool IsNT51();

    // The working palette, read by every painter.
    TColor PaintMenuColor = clWhite;
    TColor PaintIconColumnColor = clBtnFace;
    TColor PaintSelectColor = clHighlight;
    TColor PaintSelectBorderColor = clHighlight;
    TColor PaintSelectFontColor = clMenuText;
    TColor PaintCheckAreaColor = clWhite;
    TColor PaintCheckAreaSelectColor = clWhite;
    TColor PaintCheckedColor = clHighlight;
    TColor PaintMenuBarColor = clBtnFace;
    TColor PaintDisabledColor = clBtnShadow;
    TColor PaintSeparatorColor = clBtnShadow;
    TColor PaintFrameColor = clBtnShadow;
    TColor PaintShadowColor = clBtnShadow;

    // ---- menu items (handlers and shared drawing services)

    /// The OnMeasureItem handler.
    void MeasureMenuItem(MenuItem& item, Canvas& canvas, int& width, int& height);
    /// The OnDrawItem handler.
    void PaintMenuItem(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected);
    /// What owns a glyph or text being painted: the painting differs for tool buttons.
    enum class Owner { MenuItem, ToolButton, Control };
    /// An opened top-level item or opened tool button.
    void PaintOpenedItem(Owner owner, Canvas& canvas, bool rightToLeft, TColor colour,
                         const Rect& rect);
    void PaintCheckMark(const MenuItem& item, bool selected, const Rect& c, Canvas& canvas,
                        bool hasGlyph, bool enabled);
    /// Draws a glyph: faded, grayed, lifted and shadowed by state. The bitmap is changed.
    void PaintItemGlyph(Owner owner, Canvas& canvas, bool rightToLeft, bool topLevel, bool checked,
                        bool enabled, bool pressed, bool selected, const Rect& rect,
                        Bitmap& bitmap);
    void PaintItemText(Owner owner, std::u16string_view text, unsigned flags,
                       const kelvara::Font& font, bool rightToLeft, bool topLevel, bool isDefault,
                       bool enabled, bool selected, const Rect& rect, Canvas& canvas,
                       std::u16string_view shortcut);
    void PaintGradientStrip(Canvas& canvas, const Rect& rect, bool rightToLeft);

    // ---- tool bars and pop-up frames

    /// The OnCustomDrawButton handler: the whole button on the bar's canvas, never drawn by
    /// the bar itself.
    void PaintToolButton(ToolBar& bar, ToolButton& button, unsigned state, Canvas& canvas,
                         bool& defaultDraw);
    /// A separator or divider in the bar's background, with its line when its Tag is
    /// positive.
    void PaintToolSeparator(ToolBar& bar, const ToolButton& separator, Canvas& canvas);
    /// The flat border and shadow of a dropped menu's window.
    void PaintPopupFrame(PopupWindow* window, bool rightToLeft);

    // ---- control subclasses (owned by the painter)

    /// Takes ownership of a subclass object.
    TControlSubClass& AddSubclass(std::unique_ptr<TControlSubClass> subclass);
    /// Frees a subclass object the painter owns.
    void FreeSubclass(TControlSubClass* subclass);
    const std::vector<std::unique_ptr<TControlSubClass>>& Subclasses() const
    {
        return m_subclasses;
    }

    /// Where flat-frame requests go (the manager's queue); none: they are not made.
    void setFrameRequests(FlatFrameRequests* queue) { m_frameRequests = queue; }
    FlatHost* hostForm() const { return m_host; }

private:
    void markDirty() { m_colorsDirty = true; }
    void recompute(int bitsPerPixel);
    void redrawMenuBar();
    void applyWith(FlatHost& container, const Component& component, bool activate, bool invalidate);
    void applyToMenu(Menu& menu, bool activate, bool refreshBar);
    bool isTopLevel(const MenuItem& item) const;
    const MenuImages* imagesFor(const MenuItem& item) const;
    bool glyphOf(const MenuItem& item, Bitmap& glyph) const;
    Size glyphExtent(const MenuItem& item) const;
    void paintItemUnguarded(MenuItem& item, Canvas& canvas, const Rect& rect, bool selected);
    void applyToToolBar(ToolBar& bar, bool activate, bool invalidate);
    void applyToControl(FlatControl& control, const std::shared_ptr<FlatControl>& shared,
                        bool activate, bool invalidate);
    void paintFrameUnguarded(PopupWindow& window, Canvas* canvas, bool rightToLeft);

    FlatHost* m_host;
    std::uint8_t m_dimLevel = 0;
    std::uint8_t m_grayLevel = 0;
    kelvara::Font m_font;
    TColor m_color = clBtnFace;
    bool m_drawMenuBar = false;
    TColor m_iconBackColor = clBtnFace;
    TColor m_menuBarColor = clBtnFace;
    TColor m_selectColor = clHighlight;
    TColor m_selectBorderColor = clHighlight;
    TColor m_selectFontColor = clMenuText;
    TColor m_disabledColor = clInactiveCaption;
    TColor m_separatorColor = clBtnFace;
    TColor m_checkedColor = clHighlight;
    int m_iconWidth = 24;
    bool m_drawSelect = true;
    bool m_useSystemColors = true;
    bool m_useDimColor = false;
    bool m_overrideOwnerDraw = false;
    bool m_gradient = false;
    bool m_flatMenu = false;
    bool m_autoDetect = false;
    TFlatContainers m_flatContainers;
    TFlatControls m_flatControls;
    bool m_active = false;
    bool m_disableSubclassing = false;

    bool m_colorsDirty = false;
    bool m_highColor = true;
    int m_buttonFaceLevel = 16;
    int m_buttonHotFaceLevel = 40;
    bool m_framePainting = false;
    FlatFrameRequests* m_frameRequests = nullptr;
    std::vector<std::unique_ptr<TControlSubClass>> m_subclasses;
};

/// The property values a form stores for its painter; Assign sets them in declaration order,
/// as reading the form does (Active last but one, so it activates while the form is read).
struct TFlatPainterStoredProperties
{
    int DimLevel = 30;
    int GrayLevel = 10;
    kelvara::Font Font{u"Tahoma", -11, kGb2312Charset, clMenuText};
    TColor Color = clBtnFace;
    bool DrawMenuBar = false;
    TColor IconBackColor = clBtnFace;
    TColor MenuBarColor = clBtnFace;
    TColor SelectColor = clHighlight;
    TColor SelectBorderColor = clHighlight;
    TColor SelectFontColor = clMenuText;
    TColor DisabledColor = clInactiveCaption;
    TColor SeparatorColor = clBtnFace;
    TColor CheckedColor = clHighlight;
    int IconWidth = 24;
    bool DrawSelect = true;
    bool UseSystemColors = true;
    bool UseDimColor = false;
    bool OverrideOwnerDraw = false;
    bool Gradient = false;
    bool FlatMenu = false;
    bool AutoDetect = false;
    bool Active = true;

    /// The values of the main window's FlatPainter1.
    static TFlatPainterStoredProperties FlatPainter1() { return {}; }
    void Assign(TFlatPainter& painter) const;
};

} // namespace kelvara
