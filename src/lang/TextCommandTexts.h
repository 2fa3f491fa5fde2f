#pragma once

#include "lang/Localized.h"

namespace kelvara::texts {

// The texts of the message that ends an import or export, in the three interface languages;
// "%1" stands for a number. The summary puts them together, one line each.

// What kept the command from running to its end.
extern const LocalizedText kFileNotOpened;
extern const LocalizedText kFileNotCreated;
extern const LocalizedText kFileReadFailed;
extern const LocalizedText kFileWriteFailed;
extern const LocalizedText kEngineNotOpened;
extern const LocalizedText kEngineStopped;
extern const LocalizedText kNotCommitted;
extern const LocalizedText kEngineWroteNothing;
extern const LocalizedText kNoTemporaryFile;
extern const LocalizedText kStoppedByUser;
extern const LocalizedText kCheckOnly;

// The counts, one category each.
extern const LocalizedText kWritten;
extern const LocalizedText kReplaced;
extern const LocalizedText kAlreadyHeld;
extern const LocalizedText kRefused;
extern const LocalizedText kHeldOtherSense;
extern const LocalizedText kTooLong;
extern const LocalizedText kUnrepresentable;
extern const LocalizedText kControlByte;
extern const LocalizedText kKeptBack;
extern const LocalizedText kNotOpened;
extern const LocalizedText kMalformed;
extern const LocalizedText kNotStored;
extern const LocalizedText kFullWidth;

// The import summary's button that saves the records that did not go in.
extern const LocalizedText kSaveRejects;
extern const LocalizedText kRejectsNotSaved;

} // namespace kelvara::texts
