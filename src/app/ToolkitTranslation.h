#pragma once

#include "lang/Language.h"

#include <QString>
#include <QTranslator>

namespace kelvara {

/// Qt's own texts (standard buttons, file dialogs, the progress dialog) in the interface
/// language. The program's captions come from its caption sets and are never looked up here;
/// only the toolkit's built-in strings are.
class ToolkitTranslation
{
public:
    /// The base name of Qt's translation for a language: "qtbase_zh_CN" for Simplified,
    /// "qtbase_zh_TW" for Traditional, empty for English (the toolkit's own language).
    static QString fileBaseName(InterfaceLanguage language);
    /// Where Debian's Qt translations live (the library's translations path).
    static QString systemFolder();

    /// Loads the language's translation from `folder` and installs it on the application.
    /// A missing or unreadable file leaves the toolkit in English, without a message.
    explicit ToolkitTranslation(InterfaceLanguage language, const QString& folder = systemFolder());
    /// Uninstalls the translation (the translator leaves the application as it goes).
    ~ToolkitTranslation() = default;

    ToolkitTranslation(const ToolkitTranslation&) = delete;
    ToolkitTranslation& operator=(const ToolkitTranslation&) = delete;

    /// The file that was loaded and installed; empty when none was.
    QString loadedFile() const { return m_installed ? m_translator.filePath() : QString(); }

private:
    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace kelvara
