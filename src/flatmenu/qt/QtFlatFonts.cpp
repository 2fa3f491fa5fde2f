#include "flatmenu/qt/QtFlatFonts.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>

namespace kelvara {

QStringList RegisterFlatFonts()
{
    static QStringList registered;
    static bool done = false;
    if (done)
        return registered;
    done = true;
    const QStringList folders = {QStringLiteral("/usr/share/wine/fonts"),
                                 QStringLiteral("/usr/lib/wine/fonts")};
    const QStringList files = {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf"),
                               QStringLiteral("ms_sans_serif.ttf")};
    for (const QString& file : files) {
        for (const QString& folder : folders) {
            const QString path = QDir(folder).filePath(file);
            if (!QFile::exists(path))
                continue;
            const int id = QFontDatabase::addApplicationFont(path);
            if (id >= 0)
                registered += QFontDatabase::applicationFontFamilies(id);
            break;
        }
    }
    registered.removeDuplicates();
    return registered;
}

} // namespace kelvara
