#pragma once

#include "access/AccessPrompts.h"
#include "lang/Language.h"
#include "textio/TextCommandPrompts.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QMainWindow;
class QProgressDialog;
class QWidget;

namespace kelvara {

class LazyFileDialog;

/// The window's file dialogs the commands ask through.
struct WindowFileDialogs
{
    LazyFileDialog* openDictEc = nullptr;
    LazyFileDialog* openDictCe = nullptr;
    LazyFileDialog* openTxt = nullptr;
    LazyFileDialog* saveTxt = nullptr;
};

/// What the dictionary access and the text commands ask of the main window, answered with its
/// dialogs, message boxes, caption and controls. The window stays the window; this is where
/// the commands' questions meet Qt.
class WindowPrompts final : public AccessPrompts, public TextCommandPrompts
{
public:
    /// `querySave` runs the window's save prompt; `stateChanged` asks the window for a rule
    /// update after a control was shown or hidden.
    WindowPrompts(QMainWindow& window, InterfaceLanguage language, WindowFileDialogs dialogs,
                  std::function<bool()> querySave, std::function<void()> stateChanged);
    ~WindowPrompts() override;

    /// The grid and its drop-down, once the window built them.
    void setGrid(QWidget* grid, QWidget* typeCombo);
    /// Ends the progress display of a text command; the next one starts its own.
    void endProgress();

    // ---- AccessPrompts

    std::optional<std::string> chooseEcDictionary(const std::string& initialFolder,
                                                  const std::string& fileName) override;
    std::optional<std::string> chooseCeDictionary(const std::string& initialFolder) override;
    void showInformation(const std::u16string& text, const std::u16string& title) override;
    /// The summary of an import, with a button that offers to save the records that did not
    /// go in; true when the user chose that button.
    bool showSummaryOfferingSave(const std::u16string& text, const std::u16string& saveCaption);
    bool querySaveChanges() override { return m_querySave(); }
    void setCaption(const std::u16string& caption) override;
    void setCaptionToPath(const std::string& path) override;
    void setGridVisible(bool visible) override;
    void setTypeComboVisible(bool visible) override;

    // ---- TextCommandPrompts

    std::optional<std::string> chooseImportFile() override;
    std::optional<std::string> chooseExportFile() override;
    bool confirmOverwrite(const std::string& path) override;
    bool confirmCeDictionary() override;
    bool progress(const TextProgress& progress) override;

private:
    std::optional<std::string> runFileDialog(LazyFileDialog* dialog);

    QMainWindow& m_window;
    InterfaceLanguage m_language;
    WindowFileDialogs m_dialogs;
    std::function<bool()> m_querySave;
    std::function<void()> m_stateChanged;
    QPointer<QWidget> m_grid;
    QPointer<QWidget> m_typeCombo;
    // The file name OpenDialogDictCe holds once a file was chosen in it.
    std::string m_ceDialogFileName;
    // Shown by long imports and exports; lives for one command.
    std::unique_ptr<QProgressDialog> m_progress;
};

} // namespace kelvara
