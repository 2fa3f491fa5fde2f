#include "flatmenu/QtPopupFrame.h"

#include "flatmenu/FlatPainter.h"
#include "flatmenu/FlatPainterManager.h"
#include "flatmenu/QtCanvas.h"
#include "flatmenu/QtFlatForms.h"
#include "platform/ControlMessageChain.h"

#include <QMenu>
#include <QPainter>
#include <QRegion>

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

Rect QtPopupWindow::windowRect() const
{
    if (!m_menu)
        return {};
    const QRect r = m_menu->frameGeometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Canvas* QtPopupWindow::beginPaint()
{
    const ControlMessageChain* chain = ControlMessageChain::existing(m_menu);
    if (!m_menu || !chain || !chain->painting() || m_painter || m_layer.isNull())
        return nullptr;
    m_painter = std::make_unique<QPainter>(&m_layer);
    m_canvas = std::make_unique<QtCanvas>(m_painter.get(), m_menu.data());
    return m_canvas.get();
}

void QtPopupWindow::endPaint()
{
    m_canvas.reset();
    m_painter.reset();
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
    TFlatPainterManager* manager = TFlatPainterManager::instance();
    TFlatPainter* painter = manager ? manager->CurrentMenu() : nullptr;
    if (message.msg != WM_PAINT || !painter || !m_menu) {
        PopupFrameProc(*this, message, FlatForms::instance());
        return;
    }
    // The menu draws itself into the layer (its nested paint reaches it alone), the frame
    // goes over that, and the layer onto the menu.
    m_layer = QImage(m_menu->size(), QImage::Format_ARGB32_Premultiplied);
    m_layer.fill(Qt::transparent);
    m_menu->render(&m_layer);
    painter->PaintPopupFrame(this, m_menu->layoutDirection() == Qt::RightToLeft);
    {
        QPainter onMenu(m_menu.data());
        onMenu.drawImage(0, 0, m_layer);
    }
    m_layer = QImage();
}

} // namespace kelvara
