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
/// chain: installing PopupFrameProc puts this object in front of it. A frame request paints
/// the frame over a picture of the menu as it shows (the painter reads rows back from it);
/// from then on every paint of the menu ends with that picture's outer rows and columns.
class QtPopupWindow : public QObject, public PopupWindow, public WindowProc
{
    Q_OBJECT
public:
    /// The pop-up window of a menu (made on first use, a child of the menu); null for none.
    static QtPopupWindow* of(QMenu* menu);
    /// Leaves the menu's chain first: the menu deletes this child before its chain hears
    /// that the menu goes.
    ~QtPopupWindow() override;

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

    // Held as a widget: messages still reach the hook while the menu is being destroyed,
    // when it is no longer a QMenu, and only widget services are used.
    QPointer<QWidget> m_menu;
    WindowProc* m_stored = nullptr; // the procedure PopupFrameProc replaced (the user data)
    QImage m_layer;                 // the picture being framed
    QImage m_framed; // the last framed picture, whose outer rows and columns each paint shows
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtCanvas> m_canvas;
};

} // namespace kelvara
