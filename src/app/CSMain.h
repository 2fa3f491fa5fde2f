#pragma once

#include "access/DictionaryState.h"
#include "app/WindowPrompts.h"
#include "commands/CommandRules.h"
#include "editor/EntryEditor.h"
#include "flatmenu/qt/QtFlatPainter.h"
#include "lang/Captions.h"
#include "platform/Components.h"
#include "startup/StartupState.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QFrame;
class QLineEdit;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

namespace kelvara {

class DictionaryAccess;
class RejectsFile;
class EntryGridView;
class ImageList;
class LazyFileDialog;
class TAboutForm;
class TColWidthDlg;
class TSaveDlg;
class TextCommands;

/// The main window: menus, the tool bar with the input box, the entry grid and its
/// drop-down, the command table with its idle-time availability rules, and the close path
/// through the save prompt. It owns all state of the run.
class TCustomDictForm : public QMainWindow
{
    Q_OBJECT
public:
    /// Builds the layout and runs FormCreate on the installation in programFolder.
    explicit TCustomDictForm(const std::string& programFolder, QWidget* parent = nullptr);
    /// FormDestroy: unloads the engines.
    ~TCustomDictForm() override;

    /// Hands over the three dialogs the program entry creates after this window.
    void attachDialogs(TSaveDlg* saveDlg, TColWidthDlg* colWidthDlg, TAboutForm* aboutForm);

    // ---- state of the run

    const StartupState& startup() const { return m_startup; }
    StartupState& startup() { return m_startup; }
    InterfaceLanguage language() const { return m_startup.language; }
    DictionaryState& dictionary() { return m_dictionary; }
    const DictionaryState& dictionary() const { return m_dictionary; }
    EntryEditor& editor() { return *m_editor; }
    const EntryEditor& editor() const { return *m_editor; }
    /// What the commands ask of the window: its dialogs, messages, caption and controls.
    WindowPrompts& prompts() { return *m_prompts; }

    /// The changed flag (kept by the entry grid).
    bool changed() const;
    void setChanged(bool changed);
    /// The dictionary-open flag.
    void setDictionaryOpen(bool open);

    /// The form's components in declaration order.
    const ComponentList& components() const { return m_components; }
    /// Where FlatPainter1 belongs in the component list: after the menus, tool bar, panel
    /// and dialogs, before PopupMenuForEdit.
    std::size_t flatPainterSlot() const { return m_flatPainterSlot; }
    const ImageList& imageList() const { return *m_imageList; }

    /// The action that stands for a command.
    QAction* action(Command command) const;
    /// The availability the rules gave when they last ran.
    const CommandAvailability& availability() const { return m_availability; }
    /// The state the rules read, taken from the window now.
    CommandState commandState() const;

    /// The application's title (set by the caption set; Close leaves it alone).
    static QString applicationTitle();

    // ---- commands

    /// Re-checks a command's rule and runs its handler only when it is enabled. Answers
    /// whether it ran. Nothing runs while an import or export is running.
    bool runCommand(Command command);
    /// True while an import or export runs: the progress dialog lets the event loop run, but
    /// nothing else of the window may (no command, no save, no close, no input to it).
    bool textCommandRunning() const { return m_textCommandRunning; }
    /// Recomputes every rule now and applies the result to the actions and controls.
    void ActionListMenuUpdate();
    /// Asks for one coalesced rule update when the interface is next idle.
    void scheduleMenuUpdate();
    /// Whether a rule update is waiting for the idle moment.
    bool menuUpdatePending() const { return m_idleUpdate.isActive(); }

    /// The save prompt: go on (true) or stop (false). After Yes it stops when the save left
    /// newly refused ("E") rows, so that they are not dropped unseen.
    bool QuerySaveChanges();
    /// The session manager asks the program to end: the same prompt as a close. Without
    /// interaction, unsaved edits stop the end (nothing is dropped unasked).
    bool commitSessionData(bool interactionAllowed);

    void ApplySimplifiedCaptions();
    void ApplyTraditionalCaptions();
    void ApplyEnglishCaptions();

    // Handlers of the command table.
    void ActionFileNewEcExecute();
    void ActionFileNewCeExecute();
    void MenuItemOpenEcClick();
    void ActionFileOpenCeExecute();
    void MenuItemSaveClick();
    void MenuItemCloseClick();
    void MenuItemFindClick();
    void MenuItemAddClick();
    void MenuItemModifyClick();
    void MenuItemDeleteClick();
    void MenuItemWidthClick();
    void MenuItemCopyClick();
    void MenuItemToEditorClick();
    void MenuItemToDictClick();
    void MenuItemFromEditorClick();
    void MenuItemFromDictClick();
    void MenuItemEditCutClick();
    void MenuItemEditCopyClick();
    void MenuItemEditPasteClick();
    void MenuItemExitClick();
    void MenuItemAboutClick();

protected:
    /// The save routine of the open dictionary kind, which Yes of the save prompt runs.
    virtual void saveOpenDictionary();

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildPanel();
    void buildDialogs();
    void buildGrid();
    void connectIdleUpdates();
    void connectSessionEnd();
    QAction* addMenuItem(QMenu* menu, const char* name, Command command, bool ownCaption);
    QAction* addSeparator(QMenu* menu, const char* name);
    QMenu* addSubmenu(QMenu* parentMenu, const char* name);
    void buildInputPopup();
    void declare(QObject* component);

    void FormCreate(const std::string& programFolder);
    void FormCloseQuery(bool& canClose);
    void FormDestroy();

    void followOpenKind();
    void applyCaptionTable(const CaptionTable& table);
    void applyCaptionEntry(const CaptionTable& table, const CaptionEntry& entry);
    void applyAvailability(const CommandAvailability& availability);
    void updateSeparators(QMenu* menu);
    void trackFocusBeforeMenus(QWidget* now);
    void runTextCommand(TextCommandResult (TextCommands::*command)());
    void offerToSaveRejects(const std::u16string& summary, const RejectsFile& rejects);
    void showHint(QWidget* widget, const std::u16string& hint);
    void showCellHint(int column, const std::u16string& hint);

    StartupState m_startup;
    DictionaryState m_dictionary;
    std::unique_ptr<EntryEditor> m_editor;
    // Answers the access and text commands; goes after them.
    std::unique_ptr<WindowPrompts> m_prompts;
    std::unique_ptr<DictionaryAccess> m_access;
    // The import and export commands over the editor; built right after it.
    std::unique_ptr<TextCommands> m_text;
    CommandAvailability m_availability;
    ComponentList m_components;
    // Reads the component list until it goes, so it is declared after it and goes first.
    std::unique_ptr<QtFlatPainter> m_flatPainter;
    std::size_t m_flatPainterSlot = 0;
    QTimer m_idleUpdate;
    bool m_textCommandRunning = false;

    ImageList* m_imageList = nullptr;
    QObject* m_actionList = nullptr;
    std::array<QAction*, kCommandCount> m_actions{};

    QMenuBar* m_mainMenu = nullptr;
    QMenu* m_menuFile = nullptr;
    QMenu* m_menuNew = nullptr;
    QMenu* m_menuOpen = nullptr;
    QMenu* m_menuImport = nullptr;
    QMenu* m_menuExport = nullptr;
    QMenu* m_menuEdit = nullptr;
    QMenu* m_popupEdit = nullptr;
    QMenu* m_popupForEdit = nullptr;

    QToolBar* m_toolBar = nullptr;
    QLineEdit* m_input = nullptr;
    QFrame* m_panel = nullptr;
    std::size_t m_gridSlot = 0; // the grid and its drop-down follow PanelDisplay
    EntryGridView* m_grid = nullptr;
    QComboBox* m_typeCombo = nullptr;
    std::array<std::u16string, kColumnCount> m_titles; // the grid's title row

    // Built when first shown: see LazyFileDialog.
    LazyFileDialog* m_openDictEc = nullptr;
    LazyFileDialog* m_openDictCe = nullptr;
    LazyFileDialog* m_openTxt = nullptr;
    LazyFileDialog* m_saveTxt = nullptr;
    // Where the keyboard focus was before the menu bar or a menu took it: what the user sees
    // as the focus while a menu is open.
    QPointer<QWidget> m_focusBeforeMenus;

    QPointer<TSaveDlg> m_saveDlg;
    QPointer<TColWidthDlg> m_colWidthDlg;
    QPointer<TAboutForm> m_aboutForm;
};

} // namespace kelvara
