#pragma once

#include "editor/InputCheck.h"

#include <QValidator>

class QLineEdit;

namespace kelvara {

/// Refuses, keystroke by keystroke and paste by paste, any text CheckInputText refuses, so
/// the line edit keeps what it held rather than a text the user did not type.
class CodePageValidator : public QValidator {
    Q_OBJECT

public:
    CodePageValidator(int codePage, InterfaceLanguage language, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

    int codePage() const { return m_codePage; }

signals:
    /// A text was refused; the hint says why, in the interface language.
    void refused(const QString& hint);

private:
    int m_codePage;
    InterfaceLanguage m_language;
};

/// Installs a CodePageValidator on the line edit and shows its hint as a tool tip at the
/// edit while the edit has the focus. Answers the validator (owned by the edit).
CodePageValidator* GuardLineEdit(QLineEdit* edit, int codePage, InterfaceLanguage language);

} // namespace kelvara
