#pragma once

#include "flatmenu/PopupFrame.h"

#include <QImage>
#include <QObject>
#include <QPointer>

#include <memory>

class QMenu;
class QPainter;

namespace kelvara {

class QtCanvas;

/// A dropped QMenu as a pop-up window with a flat frame. Its procedure is the menu's message
/// chain: installing PopupFrameProc puts this object in front of it. The frame is drawn in
/// the menu's own paint: the menu renders itself into a layer first, so that the painter can
/// read the rows it copies, and the layer then goes onto the menu.
class QtPopupWindow : public QObject, public PopupWindow, public WindowProc
{
    Q_OBJECT
public:
    /// The pop-up window of a menu (made on first use, a child of the menu); null for none.
    static QtPopupWindow* of(QMenu* menu);

    Rect windowRect() const override;
    Canvas* beginPaint() override;
    void endPaint() override;
    bool hasRegion() const override;
    Rect regionBox() const override;
    void setRegion(const std::vector<Rect>& rects) override;
    void redraw() override;
    void invalidateNoErase() override;
    bool runsFrameProc() const override;
    void installFrameProc() override;
    void restoreProc() override;
    void defaultProc(ControlMessage& message) override;
    void windowProc(ControlMessage& message) override;

private:
    explicit QtPopupWindow(QMenu* menu);

    QPointer<QMenu> m_menu;
    WindowProc* m_stored = nullptr; // the procedure PopupFrameProc replaced (the user data)
    QImage m_layer;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtCanvas> m_canvas;
};

} // namespace kelvara
