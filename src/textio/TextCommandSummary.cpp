#include "textio/TextCommandSummary.h"

#include "lang/Localized.h"
#include "lang/TextCommandTexts.h"
#include "lang/TextFileMessages.h"

#include <array>

namespace kelvara {

namespace {

const LocalizedText* failureText(TextFailure failure)
{
    switch (failure) {
    case TextFailure::None:
    case TextFailure::ChosenFileIsDictionary: // worded in lang/TextFileMessages
    case TextFailure::ChosenFileNotRegular:
        break;
    case TextFailure::FileNotOpened:
        return &texts::kFileNotOpened;
    case TextFailure::FileNotCreated:
        return &texts::kFileNotCreated;
    case TextFailure::FileReadFailed:
        return &texts::kFileReadFailed;
    case TextFailure::FileWriteFailed:
        return &texts::kFileWriteFailed;
    case TextFailure::EngineNotOpened:
        return &texts::kEngineNotOpened;
    case TextFailure::EngineStopped:
        return &texts::kEngineStopped;
    case TextFailure::NotCommitted:
        return &texts::kNotCommitted;
    case TextFailure::EngineWroteNothing:
        return &texts::kEngineWroteNothing;
    case TextFailure::NoTemporaryFile:
        return &texts::kNoTemporaryFile;
    }
    return nullptr;
}

} // namespace

std::u16string TextCommandSummary(const TextCommandResult& result, InterfaceLanguage language)
{
    if (!result.ran || (result.complete() && !result.checkOnly))
        return {};
    std::u16string text;
    const auto line = [&](const LocalizedText& t, std::size_t n) {
        if (!text.empty())
            text += u'\n';
        text += WithNumber(Localized(language, t), n);
    };
    if (result.checkOnly)
        line(texts::kCheckOnly, 0);
    const auto say = [&](const std::u16string& message) {
        if (!text.empty())
            text += u'\n';
        text += message;
    };
    if (result.failure == TextFailure::ChosenFileIsDictionary)
        say(ChosenFileIsDictionaryMessage(language));
    else if (result.failure == TextFailure::ChosenFileNotRegular)
        say(ChosenFileNotRegularMessage(language));
    else if (const LocalizedText* failure = failureText(result.failure))
        line(*failure, result.stoppedAtRecord > 0 ? result.stoppedAtRecord : result.records);
    if (result.notWritten)
        say(ExportNotWrittenMessage(language));
    if (result.cancelled)
        line(texts::kStoppedByUser, 0);
    line(texts::kWritten, result.written);
    const std::array<std::pair<const LocalizedText*, std::size_t>, 12> counts{{
        {&texts::kFullWidth, result.fullWidth},
        {&texts::kReplaced, result.replaced},
        {&texts::kAlreadyHeld, result.alreadyHeld},
        {&texts::kHeldOtherSense, result.heldOtherSense},
        {&texts::kRefused, result.refused},
        {&texts::kTooLong, result.tooLong},
        {&texts::kUnrepresentable, result.unrepresentable},
        {&texts::kControlByte, result.controlByte},
        {&texts::kKeptBack, result.keptBack},
        {&texts::kNotOpened, result.notOpened},
        {&texts::kMalformed, result.malformed},
        {&texts::kNotStored, result.notStored},
    }};
    for (const auto& [t, n] : counts) {
        if (n > 0)
            line(*t, n);
    }
    return text;
}

std::string TextCommandCounts(const TextCommandResult& result)
{
    // One category a reason, always in this order, so a script can read any of them.
    const std::pair<const char*, std::size_t> counts[] = {
        {"records", result.records},
        {"written", result.written},
        {"replaced", result.replaced},
        {"already held", result.alreadyHeld},
        {"held other sense", result.heldOtherSense},
        {"refused", result.refused},
        {"too long", result.tooLong},
        {"unrepresentable", result.unrepresentable},
        {"control byte", result.controlByte},
        {"kept back", result.keptBack},
        {"not opened", result.notOpened},
        {"malformed", result.malformed},
        {"blank", result.blank},
        {"not stored", result.notStored},
        {"full-width parentheses", result.fullWidth},
    };
    std::string text;
    for (const auto& [name, n] : counts) {
        if (!text.empty())
            text += ", ";
        text += name;
        text += ' ';
        text += std::to_string(n);
    }
    return text;
}

} // namespace kelvara
