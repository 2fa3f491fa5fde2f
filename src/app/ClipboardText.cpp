#include "app/ClipboardText.h"

#include "editor/InputCheck.h"
#include "editor/RowClipboard.h"
#include "lang/TextFileMessages.h"
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

namespace {

bool isLineBreak(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

// The text without the line breaks it ends in.
template <typename Text> void dropTrailingLineBreaks(Text& text)
{
    while (!text.empty() && isLineBreak(static_cast<char16_t>(text.back())))
        text.pop_back();
}

// Cuts the text at its first line break; true when anything was cut.
template <typename Text> bool keepFirstLine(Text& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLineBreak(static_cast<char16_t>(text[i]))) {
            text.resize(i);
            return true;
        }
    }
    return false;
}

} // namespace

ClipboardPaste ReadClipboardPaste(const QMimeData* data, int codePage, InterfaceLanguage language,
                                  PasteLines lines)
{
    ClipboardPaste paste;
    if (!data)
        return paste;
    const QString format = CodePageMimeFormat(codePage);
    const bool hasBytes = data->hasFormat(format);
    const bool hasUnicode = data->hasText();
    if (!hasBytes && !hasUnicode)
        return paste;
    std::u16string unicode = hasUnicode ? data->text().toStdU16String() : std::u16string();
    // CR and LF are single bytes in both code pages and never a trail byte, so the bytes are
    // cut at the same places as the Unicode text.
    dropTrailingLineBreaks(unicode);
    bool linesDropped = lines == PasteLines::FirstLine && keepFirstLine(unicode);

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
        dropTrailingLineBreaks(ansi);
        if (lines == PasteLines::FirstLine && keepFirstLine(ansi))
            linesDropped = true;
    } else if (!fromUnicode(ansi)) {
        return refuse(InputRefusal::NotInCodePage);
    }
    if (!IsAnsiTextIntact(ansi) && hasUnicode && !fromUnicode(ansi))
        return refuse(InputRefusal::NotInCodePage);
    if (linesDropped)
        paste.droppedLinesHint = PasteFirstLineOnlyHint(language);
    if (ansi.empty()) {
        paste.hasText = linesDropped; // the hint is still owed
        return paste;
    }

    paste.hasText = true;
    const InputCheck check = CheckInputText(DecodeCodePage(ansi, codePage), codePage);
    if (!check.accepted())
        return refuse(check.refusal);
    paste.bytes = std::move(ansi);
    return paste;
}

} // namespace kelvara
