#include "flatmenu/qt/QtCanvas.h"

#include "flatmenu/Bitmap.h"

#include <QFontMetrics>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace kelvara {

namespace {

QColor toQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QRect toQRect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

// The bitmap's device pixel words seen as an image; valid while the bitmap is not resized.
QImage wrap(const Bitmap& bitmap)
{
    return QImage(reinterpret_cast<const uchar*>(bitmap.bits()), bitmap.deviceWidth(),
                  bitmap.deviceHeight(), bitmap.deviceWidth() * 4, QImage::Format_RGB32);
}

QRect toDeviceQRect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

// Where 1x coordinates land on the painter's device: the screen's scale and, for a widget,
// its offset in the window it is painted into.
QTransform deviceTransformOf(const QPainter* painter)
{
    return painter ? painter->deviceTransform() : QTransform();
}

// The icon's pixmap for size 1x pixels at a scale, as device pixels of exactly the bitmap's
// extent; null for a null icon.
QImage iconImage(const QIcon& icon, QSize size, QSize deviceSize, double scale)
{
    if (icon.isNull() || size.isEmpty() || deviceSize.isEmpty())
        return {};
    QImage image = icon.pixmap(size, scale).toImage();
    if (image.isNull())
        return {};
    if (image.size() != deviceSize)
        image = image.scaled(deviceSize, Qt::IgnoreAspectRatio,
                             scale == 1.0 ? Qt::FastTransformation : Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32);
}

struct LineMetrics
{
    int ascent;
    int height;
};

// The window layer measures a line by the font's Windows ascent and descent (the OS/2
// usWinAscent and usWinDescent), which is taller than the typographic metrics the toolkit
// uses for faces that ask for those (Tahoma among them): an item of the 8-point Tahoma is 13
// pixels of text there, 11 here. Faces without the table keep the toolkit's metrics.
LineMetrics lineMetrics(const QFont& font)
{
    static QHash<QString, LineMetrics> cache;
    const QString key = font.key();
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return it.value();
    const QFontMetrics metrics(font);
    LineMetrics result{metrics.ascent(), metrics.height()};
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    const auto u16 = [](const QByteArray& b, int offset) {
        return (static_cast<unsigned char>(b[offset]) << 8) |
               static_cast<unsigned char>(b[offset + 1]);
    };
    if (raw.isValid() && os2.size() >= 78 && head.size() >= 20) {
        const int unitsPerEm = u16(head, 18);
        const double pixels = raw.pixelSize();
        if (unitsPerEm > 0 && pixels > 0) {
            const int ascent = static_cast<int>(std::lround(u16(os2, 74) * pixels / unitsPerEm));
            const int descent = static_cast<int>(std::lround(u16(os2, 76) * pixels / unitsPerEm));
            if (ascent > 0)
                result = {ascent, ascent + descent};
        }
    }
    cache.insert(key, result);
    return result;
}

} // namespace

QFont toQFont(const Font& font)
{
    QFont f(QString::fromStdU16String(font.name));
    // A negative height is the character height, which is what a pixel size means; a
    // positive one is the cell height, of which the character takes about five sixths.
    if (font.height < 0)
        f.setPixelSize(-font.height);
    else if (font.height > 0)
        f.setPixelSize(std::max(1, font.height * 5 / 6));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    return f;
}

const QtTextRenderer& QtTextRenderer::instance()
{
    static const QtTextRenderer renderer;
    return renderer;
}

Size QtTextRenderer::measure(const Font& font, std::u16string_view text) const
{
    const QFont qfont = toQFont(font);
    return {QFontMetrics(qfont).horizontalAdvance(toQString(text)), lineMetrics(qfont).height};
}

int QtTextRenderer::ascent(const Font& font) const
{
    return lineMetrics(toQFont(font)).ascent;
}

void QtTextRenderer::draw(Bitmap& target, int x, int y, const Font& font, TColor rgb,
                          std::u16string_view text, bool rightToLeft, const Rect& clip) const
{
    if (target.empty() || clip.isEmpty())
        return;
    const Rect deviceClip = target.deviceRect(clip);
    if (deviceClip.isEmpty())
        return;
    QImage image(reinterpret_cast<uchar*>(target.bits()), target.deviceWidth(),
                 target.deviceHeight(), target.deviceWidth() * 4, QImage::Format_RGB32);
    QPainter p(&image);
    // The clip in device pixels, on the same edges as the bitmap's fills; the glyphs then at
    // the device's resolution, placed by the bitmap's grid.
    p.setClipRect(toDeviceQRect(deviceClip));
    const DeviceGrid& grid = target.grid();
    p.translate(grid.column(0) + grid.phaseX - std::floor(grid.phaseX + 0.5),
                grid.row(0) + grid.phaseY - std::floor(grid.phaseY + 0.5));
    p.scale(grid.scale, grid.scale);
    const QFont qfont = toQFont(font);
    p.setFont(qfont);
    p.setPen(toQColor(rgb));
    const QString s = toQString(text);
    const LineMetrics line = lineMetrics(qfont);
    if (rightToLeft)
        p.setLayoutDirection(Qt::RightToLeft);
    // On the base line, as the window layer puts it; right-to-left runs from the right end.
    p.drawText(QRect(x, y + line.ascent - QFontMetrics(qfont).ascent(),
                     QFontMetrics(qfont).horizontalAdvance(s), line.height),
               (rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine,
               s);
}

QtCanvas::QtCanvas(QPainter* painter, const QWidget* window) : m_painter(painter), m_window(window)
{}

TColor QtCanvas::pixel(int x, int y) const
{
    if (m_painter && m_painter->device() && m_painter->device()->devType() == QInternal::Image) {
        const auto* image = static_cast<const QImage*>(m_painter->device());
        // The first device pixel of the 1x pixel's block.
        const QPointF at = deviceTransformOf(m_painter).map(QPointF(x, y));
        const int dx = static_cast<int>(std::floor(at.x() + 0.5));
        const int dy = static_cast<int>(std::floor(at.y() + 0.5));
        if (image->valid(dx, dy)) {
            const QRgb c = image->pixel(dx, dy);
            return RGB(qRed(c), qGreen(c), qBlue(c));
        }
    }
    return clBlack;
}

void QtCanvas::setPixel(int x, int y, TColor color)
{
    if (m_painter)
        m_painter->fillRect(QRect(x, y, 1, 1), toQColor(color));
}

int QtCanvas::bitsPerPixel() const
{
    if (m_painter && m_painter->device())
        return m_painter->device()->depth();
    if (m_window)
        return m_window->depth();
    return 32;
}

void* QtCanvas::window() const
{
    return const_cast<QWidget*>(m_window);
}

DeviceGrid QtCanvas::gridAt(int x, int y) const
{
    if (m_painter && m_painter->isActive()) {
        const QTransform t = deviceTransformOf(m_painter);
        const QPointF at = t.map(QPointF(x, y));
        return DeviceGrid::onDevice(t.m11() > 0 ? t.m11() : 1.0, at.x(), at.y());
    }
    if (m_window)
        return {m_window->devicePixelRatioF()};
    return {};
}

void QtCanvas::fillPixels(const Rect& r, TColor rgb)
{
    if (m_painter && !r.isEmpty())
        m_painter->fillRect(toQRect(r), toQColor(rgb));
}

void QtCanvas::drawTextLine(int x, int y, std::u16string_view text, TColor rgb, bool rightToLeft,
                            const Rect& clip)
{
    if (!m_painter || clip.isEmpty())
        return;
    m_painter->save();
    m_painter->setClipRect(toQRect(clip), Qt::IntersectClip);
    const QFont qfont = toQFont(font());
    const QFontMetrics metrics(qfont);
    const LineMetrics line = lineMetrics(qfont);
    m_painter->setFont(qfont);
    m_painter->setPen(toQColor(rgb));
    const QString s = toQString(text);
    if (rightToLeft)
        m_painter->setLayoutDirection(Qt::RightToLeft);
    m_painter->drawText(
        QRect(x, y + line.ascent - metrics.ascent(), metrics.horizontalAdvance(s), line.height),
        (rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine, s);
    m_painter->restore();
}

void QtCanvas::copyPixels(int x, int y, const Bitmap& source, const Rect& sourceRect,
                          bool transparent, TColor transparentRgb)
{
    if (!m_painter || source.empty())
        return;
    const Rect s = sourceRect.intersected({0, 0, source.width(), source.height()});
    if (s.isEmpty())
        return;
    QImage part = wrap(source).copy(toDeviceQRect(source.deviceRect(s)));
    if (transparent) {
        part = part.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = ColorToPixel(transparentRgb);
        for (int row = 0; row < part.height(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(part.scanLine(row));
            for (int column = 0; column < part.width(); ++column) {
                if (line[column] == key)
                    line[column] = 0;
            }
        }
    }
    // The device pixels go over as they are: an image of the bitmap's scale covers exactly
    // the device pixels the toolkit rounds the 1x rectangle to.
    // Without smoothing, which a scaled screen turns on and which would blur a picture that
    // lands between device pixels.
    part.setDevicePixelRatio(source.grid().scale);
    const bool smooth = m_painter->testRenderHint(QPainter::SmoothPixmapTransform);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->drawImage(QPointF(x + s.left - sourceRect.left, y + s.top - sourceRect.top), part);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

TColor IconToBitmap(Bitmap& bitmap, const QIcon& icon, QSize size, TColor key, bool* made)
{
    bitmap.setSize(size.width(), size.height());
    const QImage image = iconImage(icon, size, QSize(bitmap.deviceWidth(), bitmap.deviceHeight()),
                                   bitmap.grid().scale);
    if (made)
        *made = !image.isNull();
    if (image.isNull())
        return key;
    // The key must be a colour no opaque pixel of the icon has, or that pixel would be left
    // out with the ground.
    const auto opaqueHas = [&image](std::uint32_t word) {
        for (int row = 0; row < image.height(); ++row) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
            for (int column = 0; column < image.width(); ++column) {
                if (qAlpha(line[column]) >= 128 && (line[column] | 0xFF000000u) == word)
                    return true;
            }
        }
        return false;
    };
    while (opaqueHas(ColorToPixel(key)))
        key = (ColorToRGB(key) + 1) & 0xFFFFFF;
    bitmap.fill(key);
    std::uint32_t* words = bitmap.bits();
    for (int row = 0; row < image.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        std::uint32_t* out = words + static_cast<std::size_t>(row) * bitmap.deviceWidth();
        for (int column = 0; column < image.width(); ++column) {
            if (qAlpha(line[column]) >= 128)
                out[column] = line[column] | 0xFF000000u;
        }
    }
    return key;
}

void DrawIcon(Canvas& target, int x, int y, const QIcon& icon, QSize size)
{
    Bitmap picture(0, 0, 32, nullptr, target.gridAt(x, y));
    bool made = false;
    const TColor key = IconToBitmap(picture, icon, size, RGB(255, 0, 255), &made);
    if (made)
        target.drawKeyed(x, y, picture, key);
}

} // namespace kelvara
