#include "editor/qt/LineEditGuard.h"

#include "platform/CodePage.h"

#include <QLineEdit>
#include <QToolTip>

namespace kelvara {

CodePageValidator::CodePageValidator(int codePage, InterfaceLanguage language, QObject* parent)
    : QValidator(parent), m_codePage(codePage), m_language(language)
{}

QValidator::State CodePageValidator::validate(QString& input, int& pos) const
{
    (void)pos;
    const std::u16string text = input.toStdU16String();
    const InputCheck check = CheckInputText(text, m_codePage);
    // validate() is const by contract; telling about the refusal changes nothing here.
    auto* self = const_cast<CodePageValidator*>(this);
    if (!check.accepted() && CountRefused(text, m_codePage) > CountRefused(m_current, m_codePage)) {
        emit self->refused(QString::fromStdU16String(InputRefusalHint(check.refusal, m_language)));
        return Invalid;
    }
    // Otherwise nothing new of that kind: the user edits around what was there.
    const std::u16string hint = textCheckHint(text);
    if (hint.empty())
        return Acceptable;
    if (textCheckHint(m_current).empty() ||
        EncodeCodePage(text, m_codePage).size() > EncodeCodePage(m_current, m_codePage).size()) {
        emit self->refused(QString::fromStdU16String(hint));
        return Invalid;
    }
    return Acceptable; // it failed before: a text that does not grow is a step towards mending it
}

std::u16string CodePageValidator::textCheckHint(const std::u16string& text) const
{
    if (!m_textCheck)
        return {};
    return m_textCheck(EncodeCodePage(text, m_codePage));
}

CodePageValidator* GuardLineEdit(QLineEdit* edit, int codePage, InterfaceLanguage language)
{
    auto* validator = new CodePageValidator(codePage, language, edit);
    validator->setCurrentText(edit->text());
    edit->setValidator(validator);
    QObject::connect(edit, &QLineEdit::textChanged, validator, &CodePageValidator::setCurrentText);
    QObject::connect(validator, &CodePageValidator::refused, edit, [edit](const QString& hint) {
        // Texts set by the program are validated too; only the user's own typing gets a hint.
        if (!edit->hasFocus())
            return;
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), hint, edit);
    });
    return validator;
}

} // namespace kelvara
