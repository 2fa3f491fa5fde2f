#include "app/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

namespace kelvara {

QString ToolkitTranslation::fileBaseName(InterfaceLanguage language)
{
    switch (language) {
    case InterfaceLanguage::Simplified:
        return QStringLiteral("qtbase_zh_CN");
    case InterfaceLanguage::Traditional:
        return QStringLiteral("qtbase_zh_TW");
    case InterfaceLanguage::English:
        break;
    }
    return {};
}

QString ToolkitTranslation::systemFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

ToolkitTranslation::ToolkitTranslation(InterfaceLanguage language, const QString& folder)
{
    const QString name = fileBaseName(language);
    if (name.isEmpty())
        return;
    if (!m_translator.load(name, folder))
        return;
    // Where the file is missing, load falls back to the name with its locale parts cut off
    // ("qtbase_zh", then "qtbase"): a file that does not name this language must not stand in.
    if (QFileInfo(m_translator.filePath()).completeBaseName() != name)
        return;
    m_installed = QCoreApplication::installTranslator(&m_translator);
}

} // namespace kelvara
