#pragma once

#include "editor/InputCheck.h"

#include <QValidator>

#include <string>

class QLineEdit;

namespace kelvara {

/// Refuses, keystroke by keystroke and paste by paste, a change that brings in a character
/// CheckInputText refuses, so the line edit keeps what it held rather than a text the user
/// did not type. Refused characters the text already held (a cell read from a file) do not
/// block editing the rest of it.
class CodePageValidator : public QValidator {
    Q_OBJECT

public:
    CodePageValidator(int codePage, InterfaceLanguage language, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

    int codePage() const { return m_codePage; }
    /// The text the edit holds now; a change is judged against it.
    void setCurrentText(const QString& text) { m_current = text.toStdU16String(); }

signals:
    /// A text was refused; the hint says why, in the interface language.
    void refused(const QString& hint);

private:
    int m_codePage;
    InterfaceLanguage m_language;
    std::u16string m_current;
};

/// Installs a CodePageValidator on the line edit and shows its hint as a tool tip at the
/// edit while the edit has the focus. Answers the validator (owned by the edit).
CodePageValidator* GuardLineEdit(QLineEdit* edit, int codePage, InterfaceLanguage language);

} // namespace kelvara
