#include "app/ImageList.h"

#include <QPainter>
#include <QPainterPath>

namespace kelvara {

namespace {

// One palette for all pictures, so they read as one set.
const QColor kOutline(0x3c, 0x3c, 0x50);
const QColor kFolder(0xf2, 0xc1, 0x4e);
const QColor kDisk(0x3d, 0x6f, 0xb6);
const QColor kPaper(0xfa, 0xfa, 0xfa);
const QColor kGlass(0xbf, 0xe3, 0xf5);
const QColor kAdd(0x2f, 0x9e, 0x44);
const QColor kDelete(0xd0, 0x36, 0x36);
const QColor kBook(0x8a, 0x4f, 0xb0);

QPixmap blank(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawOpen(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(kFolder.darker(115));
    p.drawRect(1, 3, 13, 10);
    p.drawRect(1, 2, 5, 1);
    p.setBrush(kFolder);
    QPolygon front;
    front << QPoint(3, 6) << QPoint(15, 6) << QPoint(13, 13) << QPoint(1, 13);
    p.drawPolygon(front);
}

void drawSave(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(kDisk);
    p.drawRect(1, 1, 13, 13);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(kOutline);
    p.drawRect(8, 2, 1, 3);
    p.setBrush(kPaper.darker(110));
    p.drawRect(4, 9, 7, 5);
}

void drawFind(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kOutline, 2));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(kGlass);
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
}

void drawAdd(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kAdd);
    p.drawRect(6, 2, 4, 12);
    p.drawRect(2, 6, 12, 4);
}

void drawDelete(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kDelete, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void drawSpare(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(kBook);
    p.drawRect(2, 1, 11, 13);
    p.setBrush(kPaper);
    p.drawRect(4, 3, 7, 3);
}

} // namespace

ImageList::ImageList(QObject* parent) : QObject(parent)
{
    using Draw = void (*)(QPainter&);
    static constexpr Draw kDrawers[kCount] = {drawOpen, drawSave,   drawFind,
                                              drawAdd,  drawDelete, drawSpare};
    for (Draw draw : kDrawers) {
        for (const int side : {kSize, kLargeSize}) {
            QPixmap pixmap = blank(side);
            QPainter painter(&pixmap);
            // The figures are laid out on the 16 x 16 grid; the twin draws them twice as
            // large, smoothed, rather than doubling the small picture's pixels.
            if (side != kSize) {
                painter.setRenderHint(QPainter::Antialiasing);
                painter.scale(side / double(kSize), side / double(kSize));
            }
            draw(painter);
            painter.end();
            (side == kSize ? m_images : m_largeImages).push_back(pixmap);
        }
    }
}

QPixmap ImageList::largeImage(int index) const
{
    if (index < 0 || index >= m_largeImages.size())
        return {};
    return m_largeImages[index];
}

QIcon ImageList::icon(int index) const
{
    QIcon result;
    if (index < 0 || index >= m_images.size())
        return result;
    result.addPixmap(m_images[index]);
    result.addPixmap(m_largeImages[index]);
    return result;
}

QPixmap ImageList::image(int index) const
{
    if (index < 0 || index >= m_images.size())
        return {};
    return m_images[index];
}

QPixmap ImageList::aboutPicture()
{
    // An open book with the two scripts the dictionaries join.
    QPixmap pixmap = blank(41);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(kDisk);
    p.drawRoundedRect(QRectF(1.5, 1.5, 38, 38), 5, 5);
    p.setBrush(kPaper);
    QPainterPath left;
    left.moveTo(20.5, 11);
    left.cubicTo(15, 8, 10, 8, 6, 10);
    left.lineTo(6, 31);
    left.cubicTo(10, 29, 15, 29, 20.5, 32);
    left.closeSubpath();
    p.drawPath(left);
    QPainterPath right;
    right.moveTo(20.5, 11);
    right.cubicTo(26, 8, 31, 8, 35, 10);
    right.lineTo(35, 31);
    right.cubicTo(31, 29, 26, 29, 20.5, 32);
    right.closeSubpath();
    p.drawPath(right);
    p.setPen(QPen(kFolder.darker(130), 2));
    p.drawLine(QPointF(9, 15), QPointF(17, 15));
    p.drawLine(QPointF(9, 20), QPointF(17, 20));
    p.drawLine(QPointF(24, 15), QPointF(32, 15));
    p.drawLine(QPointF(24, 20), QPointF(29, 20));
    return pixmap;
}

QPixmap ImageList::promptPicture()
{
    // A question mark on a round badge.
    QPixmap pixmap = blank(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(kDisk);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    p.setPen(QPen(kPaper, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(11, 12);
    hook.cubicTo(11, 6, 21, 6, 21, 12);
    hook.cubicTo(21, 16, 16, 16, 16, 20);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(16, 25), 2, 2);
    return pixmap;
}

} // namespace kelvara
