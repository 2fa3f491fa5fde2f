#pragma once

#include "editor/InputCheck.h"

#include <QValidator>

#include <functional>
#include <string>
#include <string_view>

class QLineEdit;

namespace kelvara {

/// A further check of a whole text (platform code page bytes): empty when it passes,
/// otherwise the hint to show.
using TextCheck = std::function<std::u16string(std::string_view bytes)>;

/// Refuses, keystroke by keystroke and paste by paste, a change that brings in a character
/// CheckInputText refuses, so the line edit keeps what it held rather than a text the user
/// did not type. Refused characters the text already held (a cell read from a file) do not
/// block editing the rest of it. An optional further check (what the dictionary can store)
/// refuses in the same way a change that makes the text fail it; a text that failed it
/// already may only get shorter or keep its length, so the user can mend it.
class CodePageValidator : public QValidator
{
    Q_OBJECT

public:
    CodePageValidator(int codePage, InterfaceLanguage language, QObject* parent = nullptr);

    /// Sets the further check; an empty one applies none.
    void setTextCheck(TextCheck check) { m_textCheck = std::move(check); }

    State validate(QString& input, int& pos) const override;

    int codePage() const { return m_codePage; }
    /// The text the edit holds now; a change is judged against it.
    void setCurrentText(const QString& text) { m_current = text.toStdU16String(); }

signals:
    /// A text was refused; the hint says why, in the interface language.
    void refused(const QString& hint);

private:
    std::u16string textCheckHint(const std::u16string& text) const;

    int m_codePage;
    InterfaceLanguage m_language;
    std::u16string m_current;
    TextCheck m_textCheck;
};

/// Installs a CodePageValidator on the line edit and shows its hint as a tool tip at the
/// edit while the edit has the focus. Answers the validator (owned by the edit).
CodePageValidator* GuardLineEdit(QLineEdit* edit, int codePage, InterfaceLanguage language);

} // namespace kelvara
