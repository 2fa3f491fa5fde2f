#pragma once

#include <optional>
#include <string>

namespace kelvara {

/// The answers of the save prompt's three buttons; closing it from its title bar is Cancel.
enum class SavePromptAnswer { Yes, No, Cancel };

/// Everything the dictionary access commands say to the user or change on screen. The main
/// window implements it over its dialogs and controls; tests answer it with a script. Paths
/// are the file system's own bytes (UTF-8 on Linux); messages and captions are wide text.
class AccessPrompts
{
public:
    virtual ~AccessPrompts() = default;

    /// Shows OpenDialogDictEc starting in initialFolder with fileName preset (either may be
    /// empty); answers the chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> chooseEcDictionary(const std::string& initialFolder,
                                                          const std::string& fileName) = 0;

    /// Shows OpenDialogDictCe starting in initialFolder; answers the chosen path or nothing.
    virtual std::optional<std::string> chooseCeDictionary(const std::string& initialFolder) = 0;

    /// A modal information message with one OK button; an empty title means the
    /// application's title.
    virtual void showInformation(const std::u16string& text, const std::u16string& title) = 0;

    /// The save prompt QuerySaveChanges: true = go on, false = stop. The window runs
    /// DictionaryAccess::QuerySaveChanges with its dialog TSaveDlg.
    virtual bool querySaveChanges() = 0;

    /// Sets the main window's caption (the application's title stays as it is).
    virtual void setCaption(const std::u16string& caption) = 0;

    /// Sets the main window's caption to a path given as the file system's bytes.
    virtual void setCaptionToPath(const std::string& path) = 0;

    /// Shows or hides the entry grid StringGridDict.
    virtual void setGridVisible(bool visible) = 0;

    /// Shows or hides the part-of-speech drop-down ComboBoxType.
    virtual void setTypeComboVisible(bool visible) = 0;
};

} // namespace kelvara
