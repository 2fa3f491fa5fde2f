#pragma once

#include "access/AccessPrompts.h"
#include "access/DictionaryAccess.h"
#include "access/FakeEngines.h"
#include "editor/EntryEditor.h"
#include "platform/CodePage.h"
#include "startup/StartupState.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelvara {

/// Scripted answers for the dialogs and the save prompt, and a record of what was shown.
class FakePrompts : public AccessPrompts
{
public:
    struct Message
    {
        std::u16string text;
        std::u16string title;
    };

    std::deque<std::optional<std::string>> ecChoices; ///< nothing left = cancel
    std::deque<std::optional<std::string>> ceChoices;
    std::deque<SavePromptAnswer> saveAnswers;                        ///< nothing left = Cancel
    std::vector<std::pair<std::string, std::string>> ecDialogStarts; ///< folder, file name
    std::vector<std::string> ceDialogStarts;
    std::vector<Message> messages;
    std::vector<std::u16string> captions;
    std::vector<std::string> pathCaptions;
    int savePromptsShown = 0;
    std::optional<bool> gridVisible;
    std::optional<bool> comboVisible;

    EntryEditor* editor = nullptr;
    DictionaryAccess* access = nullptr;

    std::optional<std::string> chooseEcDictionary(const std::string& folder,
                                                  const std::string& fileName) override
    {
        ecDialogStarts.emplace_back(folder, fileName);
        return take(ecChoices);
    }
    std::optional<std::string> chooseCeDictionary(const std::string& folder) override
    {
        ceDialogStarts.push_back(folder);
        return take(ceChoices);
    }
    void showInformation(const std::u16string& text, const std::u16string& title) override
    {
        messages.push_back({text, title});
    }
    // The window's QuerySaveChanges: the access decision with a scripted dialog.
    bool querySaveChanges() override
    {
        return access->QuerySaveChanges([this] {
            ++savePromptsShown;
            SavePromptAnswer answer = SavePromptAnswer::Cancel;
            if (!saveAnswers.empty()) {
                answer = saveAnswers.front();
                saveAnswers.pop_front();
            }
            return answer;
        });
    }
    void setCaption(const std::u16string& caption) override { captions.push_back(caption); }
    void setCaptionToPath(const std::string& path) override { pathCaptions.push_back(path); }
    void setGridVisible(bool visible) override { gridVisible = visible; }
    void setTypeComboVisible(bool visible) override { comboVisible = visible; }

private:
    static std::optional<std::string> take(std::deque<std::optional<std::string>>& choices)
    {
        if (choices.empty())
            return std::nullopt;
        std::optional<std::string> c = choices.front();
        choices.pop_front();
        return c;
    }
};

/// GBK bytes of a text, as the Simplified platform keeps it.
inline std::string gbk(std::u16string_view text)
{
    return EncodeCodePage(text, kCodePageGbk);
}

/// One access session over the recording engines, Simplified variant, engine directory
/// "/inst/ArticleS/".
class AccessTest : public ::testing::Test
{
protected:
    explicit AccessTest(InterfaceLanguage language = InterfaceLanguage::Simplified)
    {
        startup.engineDirectory = "/inst/ArticleS/";
        (void)startup.engineDirectoryBuffer.assign(startup.engineDirectory);
        startup.language = language;
        startup.ec = EcFake::reset();
        startup.ce = CeFake::reset();
        editor = std::make_unique<EntryEditor>(language, kCodePageGbk);
        access = std::make_unique<DictionaryAccess>(startup, state, *editor, prompts);
        prompts.editor = editor.get();
        prompts.access = access.get();
    }

    EcFake& ec() { return EcFake::instance(); }
    CeFake& ce() { return CeFake::instance(); }

    /// The four texts of a data row.
    std::vector<std::string> row(int r) const
    {
        return {editor->cell(kColMark, r), editor->cell(kColSource, r),
                editor->cell(kColPartOfSpeech, r), editor->cell(kColTarget, r)};
    }

    void openEc()
    {
        access->MenuItemOpenEcClick();
        ec().calls.clear();
    }
    void openCe()
    {
        access->ActionFileOpenCeExecute();
        ce().calls.clear();
    }

    StartupState startup;
    DictionaryState state;
    FakePrompts prompts;
    std::unique_ptr<EntryEditor> editor;
    std::unique_ptr<DictionaryAccess> access;
};

} // namespace kelvara
