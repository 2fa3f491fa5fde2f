#include "flatmenu/qt/QtPopupFrame.h"

#include "flatmenu/qt/QtCanvas.h"
#include "flatmenu/qt/QtFlatForms.h"
#include "platform/qt/ControlMessageChain.h"

#include <QMenu>
#include <QPainter>
#include <QRegion>

#include <cmath>

namespace kelvara {

namespace {

const char* const kAdapterName = "kelvaraPopupFrame";

} // namespace

QtPopupWindow* QtPopupWindow::of(QMenu* menu)
{
    if (!menu)
        return nullptr;
    auto* window = menu->findChild<QtPopupWindow*>(QString::fromLatin1(kAdapterName),
                                                   Qt::FindDirectChildrenOnly);
    return window ? window : new QtPopupWindow(menu);
}

QtPopupWindow::QtPopupWindow(QMenu* menu) : QObject(menu), m_menu(menu)
{
    setObjectName(QString::fromLatin1(kAdapterName));
}

QtPopupWindow::~QtPopupWindow()
{
    restoreProc();
}

Rect QtPopupWindow::windowRect() const
{
    if (!m_menu)
        return {};
    const QRect r = m_menu->frameGeometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Canvas* QtPopupWindow::beginPaint()
{
    if (!m_menu || m_painter)
        return nullptr;
    // The menu as it shows now, read back where the frame copies rows.
    m_layer = m_menu->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (m_layer.isNull())
        return nullptr;
    m_painter = std::make_unique<QPainter>(&m_layer);
    m_canvas = std::make_unique<QtCanvas>(m_painter.get(), m_menu.data());
    return m_canvas.get();
}

void QtPopupWindow::endPaint()
{
    m_canvas.reset();
    m_painter.reset();
    // Shown from the menu's next paint on; a frame like the last one asks for no paint (the
    // items' paint asks for a frame again, which would otherwise never end).
    if (m_layer != m_framed) {
        m_framed = m_layer;
        if (m_menu)
            m_menu->update();
    }
    m_layer = QImage();
}

bool QtPopupWindow::hasRegion() const
{
    return m_menu && !m_menu->mask().isEmpty();
}

Rect QtPopupWindow::regionBox() const
{
    if (!m_menu)
        return {};
    const QRect r = m_menu->mask().boundingRect();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void QtPopupWindow::setRegion(const std::vector<Rect>& rects)
{
    if (!m_menu)
        return;
    if (rects.empty()) {
        m_menu->clearMask();
        return;
    }
    QRegion region;
    for (const Rect& r : rects)
        region += QRect(r.left, r.top, r.width(), r.height());
    m_menu->setMask(region);
}

void QtPopupWindow::redraw()
{
    if (m_menu)
        m_menu->update();
}

void QtPopupWindow::invalidateNoErase()
{
    if (m_menu)
        m_menu->update();
}

bool QtPopupWindow::runsFrameProc() const
{
    const ControlMessageChain* chain = ControlMessageChain::existing(m_menu);
    return chain && chain->windowProc() == this;
}

void QtPopupWindow::installFrameProc()
{
    if (!m_menu)
        return;
    ControlMessageChain* chain = ControlMessageChain::of(m_menu);
    m_stored = chain->windowProc();
    chain->setWindowProc(this);
}

void QtPopupWindow::restoreProc()
{
    if (ControlMessageChain* chain = ControlMessageChain::existing(m_menu);
        chain && chain->windowProc() == this)
        chain->setWindowProc(m_stored);
    m_stored = nullptr;
}

void QtPopupWindow::defaultProc(ControlMessage& message)
{
    if (m_stored)
        m_stored->windowProc(message);
    else if (ControlMessageChain* chain = ControlMessageChain::existing(m_menu))
        chain->defaultProc(message);
}

void QtPopupWindow::windowProc(ControlMessage& message)
{
    if (message.msg != WM_PAINT) {
        PopupFrameProc(*this, message, FlatForms::instance());
        return;
    }
    defaultProc(message);
    // The picture is at the menu's device pixel ratio: its 1x size is what must match.
    if (!m_menu || m_framed.isNull() || m_framed.deviceIndependentSize().toSize() != m_menu->size())
        return;
    // The frame lies in the three outer rows and columns of the framed picture; each strip
    // goes over as the device pixels its 1x edges round to.
    const int w = m_menu->width(), h = m_menu->height();
    const qreal ratio = m_framed.devicePixelRatio();
    const auto device = [ratio](int e) { return static_cast<int>(std::floor(e * ratio + 0.5)); };
    QPainter onMenu(m_menu.data());
    for (const QRect& r :
         {QRect(0, 0, w, 3), QRect(0, h - 3, w, 3), QRect(0, 0, 3, h), QRect(w - 3, 0, 3, h)}) {
        const QRect source(QPoint(device(r.left()), device(r.top())),
                           QPoint(device(r.right() + 1) - 1, device(r.bottom() + 1) - 1));
        onMenu.drawImage(QRectF(r), m_framed, QRectF(source));
    }
}

} // namespace kelvara
