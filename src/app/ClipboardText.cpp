#include "app/ClipboardText.h"

#include "editor/InputCheck.h"
#include "editor/RowClipboard.h"
#include "platform/CodePage.h"

#include <QMimeData>

namespace kelvara {

QString CodePageMimeFormat(int codePage)
{
    return codePage == kCodePageBig5 ? QStringLiteral("text/plain;charset=Big5")
                                     : QStringLiteral("text/plain;charset=GBK");
}

std::unique_ptr<QMimeData> CodePageMimeData(std::string_view bytes, int codePage)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(CodePageMimeFormat(codePage),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    data->setText(QString::fromStdU16String(DecodeCodePage(bytes, codePage)));
    return data;
}

ClipboardPaste ReadClipboardPaste(const QMimeData* data, int codePage, InterfaceLanguage language)
{
    ClipboardPaste paste;
    if (!data)
        return paste;
    const QString format = CodePageMimeFormat(codePage);
    const bool hasBytes = data->hasFormat(format);
    const bool hasUnicode = data->hasText();
    if (!hasBytes && !hasUnicode)
        return paste;
    const std::u16string unicode = hasUnicode ? data->text().toStdU16String() : std::u16string();

    auto refuse = [&paste, language](InputRefusal refusal) {
        paste.hasText = true;
        paste.bytes.clear();
        paste.hint = InputRefusalHint(refusal, language);
        return paste;
    };
    // The conversion would put "?" for a character the code page lacks: such a text is
    // refused rather than pasted with marks the user never typed.
    auto fromUnicode = [&unicode, codePage](std::string& out) {
        if (!IsRepresentable(unicode, codePage))
            return false;
        out = EncodeCodePage(unicode, codePage);
        return true;
    };

    std::string ansi;
    if (hasBytes) {
        const QByteArray bytes = data->data(format);
        // The 8-bit text ends at its terminating zero, if it carries one.
        const qsizetype end = bytes.indexOf('\0');
        ansi.assign(bytes.constData(), static_cast<std::size_t>(end < 0 ? bytes.size() : end));
    } else if (!fromUnicode(ansi)) {
        return refuse(InputRefusal::NotInCodePage);
    }
    if (!IsAnsiTextIntact(ansi) && hasUnicode && !fromUnicode(ansi))
        return refuse(InputRefusal::NotInCodePage);
    if (ansi.empty())
        return paste;

    paste.hasText = true;
    const InputCheck check = CheckInputText(DecodeCodePage(ansi, codePage), codePage);
    if (!check.accepted())
        return refuse(check.refusal);
    paste.bytes = std::move(ansi);
    return paste;
}

} // namespace kelvara
