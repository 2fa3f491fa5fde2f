#pragma once

#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <QVector>

namespace kelvara {

/// The window's image list ImageList1: six 16 x 16 images drawn once in code, so a fresh
/// machine needs no icon theme, each with a 32 x 32 twin drawn from the same figures for
/// screens scaled 2x. The commands use 0 Open, 1 Save, 2 Find, 3 Add, 4 Delete;
/// 5 is the spare.
class ImageList : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSize = 16;
    static constexpr int kLargeSize = 32;
    static constexpr int kCount = 6;
    enum Index { Open = 0, Save = 1, Find = 2, Add = 3, Delete = 4, Spare = 5 };

    explicit ImageList(QObject* parent = nullptr);

    int count() const { return static_cast<int>(m_images.size()); }
    /// The image at an index; a null pixmap for an index outside the list.
    QPixmap image(int index) const;
    /// The 32 x 32 twin of an image; a null pixmap for an index outside the list.
    QPixmap largeImage(int index) const;
    /// Both sizes as one icon, so that a scaled screen takes the larger one.
    QIcon icon(int index) const;

    /// The 41 x 41 picture of the About box.
    static QPixmap aboutPicture();
    /// The 32 x 32 picture of the save prompt.
    static QPixmap promptPicture();

private:
    QVector<QPixmap> m_images;
    QVector<QPixmap> m_largeImages;
};

} // namespace kelvara
