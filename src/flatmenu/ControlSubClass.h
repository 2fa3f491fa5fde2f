#pragma once

#include "flatmenu/ControlModel.h"

#include <cstdint>
#include <memory>

namespace kelvara {

class TFlatPainter;

/// Slips in front of one control's window procedure: every message goes to the control's
/// own handling first, then the ones that change the control's look repaint its border (or,
/// for buttons, its whole face) in the owning painter's colours. Owned by a TFlatPainter.
class TControlSubClass : public WindowProc
{
public:
    /// A subclass object for a control, not yet hooked (idle).
    TControlSubClass(TFlatPainter* owner, std::shared_ptr<FlatControl> control);
    /// Puts the control's previous procedure back if it still runs this object.
    ~TControlSubClass() override;
    TControlSubClass(const TControlSubClass&) = delete;
    TControlSubClass& operator=(const TControlSubClass&) = delete;

    /// Saves the control's procedure and installs this object's, unless some subclass object
    /// hooks it already (then this one stays idle). Answers whether it hooked.
    bool Hook();
    /// Whether the control's window procedure is this object's.
    bool hooking() const;
    /// Puts the previous procedure and the saved properties back (the object stays).
    void Restore();

    /// The method installed as the control's window procedure.
    void SubclassWindowProc(ControlMessage& message);
    void windowProc(ControlMessage& message) override { SubclassWindowProc(message); }
    /// Chooses the painter by the control's class and runs it.
    void PaintControl();

    void PaintEditFrame(Canvas& canvas);
    void PaintComboFrame(Canvas& canvas);
    void PaintPanelBevel(Canvas& canvas);
    void PaintPushButton(Canvas& canvas);
    void PaintBitmapButton(Canvas& canvas);

    std::shared_ptr<FlatControl> Control;
    bool Recreating = false;
    bool Highlighted = false;
    bool ButtonDown = false;
    bool SpaceDown = false;
    bool SpaceHandled = false;
    bool Focused = false;
    WindowProc* PreviousWindowProc = nullptr; ///< null: the control's own procedure
    TFlatPainter* Menu = nullptr;
    bool SavedCtl3D = false;
    TBorderStyle SavedBorderStyle = TBorderStyle::bsSingle;
    std::uint32_t LastMessage = 0;

private:
    void callPrevious(ControlMessage& message);
    void handle(ControlMessage& message);
    /// Restores the control and hands the object back to its owner to be freed, at once or,
    /// inside a nested message, when the outermost one returns.
    void release();
    void buttonFace(Canvas& canvas, bool bitmapButton);

    int m_depth = 0;
    bool m_released = false;
};

} // namespace kelvara
