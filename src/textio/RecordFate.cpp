#include "textio/RecordFate.h"

#include "textio/TextCommandResult.h"

namespace kelvara {

namespace {

const char* fieldName(RecordField field)
{
    switch (field) {
    case RecordField::Source:
        return "source";
    case RecordField::Label:
        return "part of speech";
    case RecordField::Target:
        return "target";
    }
    return "";
}

} // namespace

bool IsRejected(RecordFate fate)
{
    return fate != RecordFate::Written && fate != RecordFate::Replaced &&
           fate != RecordFate::AlreadyHeld && fate != RecordFate::Blank;
}

std::string DescribeProblem(const RecordProblem& problem)
{
    const std::string field = fieldName(problem.field);
    switch (problem.fate) {
    case RecordFate::Written:
        return "written";
    case RecordFate::Replaced:
        return "replaced the sense held of that word and part of speech";
    case RecordFate::AlreadyHeld:
        return "already held: the dictionary holds this sense";
    case RecordFate::Blank:
        return "blank record";
    case RecordFate::TooLong:
        if (problem.limit >= kMaxLineBytes)
            return "too long: the " + field + " line is over 1 MiB";
        return "too long: the " + field + " is over " + std::to_string(problem.limit) + " bytes";
    case RecordFate::Unrepresentable:
        return "the " + field + " holds a character the code page lacks";
    case RecordFate::ControlByte:
        return "the " + field + " holds a NUL or another control byte";
    case RecordFate::KeptBack:
        return problem.field == RecordField::Source
                   ? "kept back: a backslash in the word"
                   : "kept back: a parenthesis in the translation (see --fullwidth-parentheses)";
    case RecordFate::HeldOtherSense:
        return "refused by the engine: the dictionary already holds a sense of that word and "
               "part of speech (see --replace)";
    case RecordFate::Refused:
        return "refused by the engine";
    case RecordFate::NotOpened:
        return "not imported: the dictionary did not open";
    case RecordFate::NotStored:
        return "not stored: the dictionary's commit failed";
    }
    return {};
}

void CountFate(TextCommandResult& result, RecordFate fate)
{
    switch (fate) {
    case RecordFate::Written:
        ++result.written;
        break;
    case RecordFate::Replaced:
        ++result.replaced;
        break;
    case RecordFate::AlreadyHeld:
        ++result.alreadyHeld;
        break;
    case RecordFate::Blank:
        ++result.blank;
        break;
    case RecordFate::TooLong:
        ++result.tooLong;
        break;
    case RecordFate::Unrepresentable:
        ++result.unrepresentable;
        break;
    case RecordFate::ControlByte:
        ++result.controlByte;
        break;
    case RecordFate::KeptBack:
        ++result.keptBack;
        break;
    case RecordFate::HeldOtherSense:
        ++result.heldOtherSense;
        break;
    case RecordFate::Refused:
        ++result.refused;
        break;
    case RecordFate::NotOpened:
        ++result.notOpened;
        break;
    case RecordFate::NotStored:
        ++result.notStored;
        break;
    }
}

} // namespace kelvara
