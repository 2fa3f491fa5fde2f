// The command side of the main window: running commands through their rules, the idle-time
// rule update, the close path through the save prompt, and the shell's own commands.
#include "app/CSMain.h"

#include "app/About.h"
#include "app/ClipboardText.h"
#include "app/CommandTable.h"
#include "app/FileDialogs.h"
#include "app/MessageBox.h"
#include "app/Save.h"
#include "app/width.h"

#include "access/DictionaryAccess.h"
#include "editor/RowClipboard.h"
#include "editor/qt/EntryGridView.h"
#include "lang/Localized.h"
#include "lang/TextCommandTexts.h"
#include "platform/CodePage.h"
#include "textio/ChosenFileCheck.h"
#include "textio/RejectsFile.h"
#include "textio/TextCommandSummary.h"
#include "textio/TextCommands.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QToolTip>

#include <algorithm>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

namespace kelvara {

namespace {

bool isInputEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::Shortcut:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        return true;
    default:
        return false;
    }
}

bool isMenuWidget(const QWidget* widget)
{
    return qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QMenu*>(widget);
}

// What a user does to a window: kept from the main window while an import or export runs.
bool isUserAction(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// Sets a flag for the life of the scope.
class FlagScope
{
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

// ---- state

bool TCustomDictForm::changed() const
{
    return m_editor && m_editor->changed();
}

void TCustomDictForm::setChanged(bool changed)
{
    m_editor->setChanged(changed);
    scheduleMenuUpdate();
}

void TCustomDictForm::setDictionaryOpen(bool open)
{
    m_dictionary.open = open;
    scheduleMenuUpdate();
}

CommandState TCustomDictForm::commandState() const
{
    CommandState s;
    s.open = m_dictionary.open;
    s.changed = changed();
    s.ecLibraryLoaded = m_startup.ec.handle() != nullptr;
    s.ceLibraryLoaded = m_startup.ce.handle() != nullptr;
    if (m_editor) {
        s.currentMark = m_editor->currentMark();
        s.currentColumn = m_editor->currentColumn();
        s.firstSourceEmpty = m_editor->cell(kColSource, kFirstDataRow).empty();
    }
    s.inputEmpty = m_input->text().isEmpty();
    // The menu bar takes the focus when it is reached from the keyboard, and a menu may take
    // it while it is open; for the rules the focus stays where it was before.
    QWidget* focus = QApplication::focusWidget();
    if (isMenuWidget(focus))
        focus = m_focusBeforeMenus;
    s.gridFocused = m_grid && focus == m_grid;
    return s;
}

// ---- rules

void TCustomDictForm::connectIdleUpdates()
{
    m_idleUpdate.setSingleShot(true);
    m_idleUpdate.setInterval(0);
    connect(&m_idleUpdate, &QTimer::timeout, this, &TCustomDictForm::ActionListMenuUpdate);

    // Input anywhere, focus moves, and the state changes the window sees schedule one update.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        trackFocusBeforeMenus(now);
        scheduleMenuUpdate();
    });
    trackFocusBeforeMenus(QApplication::focusWidget());
    connect(m_input, &QLineEdit::textChanged, this, &TCustomDictForm::scheduleMenuUpdate);
    // A menu about to open shows rules that are current.
    for (QMenu* menu :
         {m_menuFile, m_menuNew, m_menuOpen, m_menuImport, m_menuExport, m_menuEdit, m_popupEdit})
        connect(menu, &QMenu::aboutToShow, this, &TCustomDictForm::ActionListMenuUpdate);
}

void TCustomDictForm::connectSessionEnd()
{
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        // The end waits for no import or export: it is refused, and nothing is saved midway.
        if (m_textCommandRunning) {
            manager.cancel();
            return;
        }
        if (!changed())
            return;
        const bool interact = manager.allowsInteraction();
        const bool goOn = commitSessionData(interact);
        if (interact)
            manager.release();
        if (!goOn)
            manager.cancel();
    });
#endif
}

bool TCustomDictForm::eventFilter(QObject* watched, QEvent* event)
{
    // While an import or export runs, its progress dialog (and any dialog it asks through)
    // takes input; the main window and its actions take none.
    if (m_textCommandRunning && isUserAction(event->type())) {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget ? widget->window() == this : qobject_cast<const QAction*>(watched) != nullptr)
            return true;
    }
    if (isInputEvent(event->type()))
        scheduleMenuUpdate();
    // The input box's own clipboard keys go through its Cut, Copy and repairing Paste, so the
    // clipboard carries both formats and a paste also reaches the target cell.
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            MenuItemEditPasteClick();
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            MenuItemEditCopyClick();
            return true;
        }
        if (key->matches(QKeySequence::Cut)) {
            MenuItemEditCutClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TCustomDictForm::trackFocusBeforeMenus(QWidget* now)
{
    if (!isMenuWidget(now))
        m_focusBeforeMenus = now;
}

void TCustomDictForm::scheduleMenuUpdate()
{
    if (!m_idleUpdate.isActive())
        m_idleUpdate.start();
}

void TCustomDictForm::ActionListMenuUpdate()
{
    m_idleUpdate.stop();
    m_availability = kelvara::ActionListMenuUpdate(commandState());
    applyAvailability(m_availability);
}

void TCustomDictForm::applyAvailability(const CommandAvailability& a)
{
    for (const CommandRow& row : CommandTable()) {
        // The import and export entries follow their submenus alone.
        if (row.isAction())
            action(row.command)->setEnabled(a.*row.enabledBy);
    }
    m_menuImport->menuAction()->setEnabled(a.importMenu);
    m_menuExport->menuAction()->setEnabled(a.exportMenu);
    m_menuEdit->menuAction()->setVisible(a.editMenuVisible);
    m_menuNew->menuAction()->setEnabled(a.newMenu);
    m_menuOpen->menuAction()->setEnabled(a.openMenu);
    m_input->setEnabled(a.inputEnabled);

    for (QMenu* menu : {m_menuFile, m_menuEdit, m_popupEdit})
        updateSeparators(menu);
}

void TCustomDictForm::updateSeparators(QMenu* menu)
{
    const QList<QAction*> entries = menu->actions();
    std::vector<MenuSlot> menuSlots;
    menuSlots.reserve(static_cast<std::size_t>(entries.size()));
    for (const QAction* entry : entries)
        menuSlots.push_back({entry->isSeparator(), entry->isVisible()});
    const std::vector<bool> shown = ShownSlots(menuSlots);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i]->isSeparator())
            entries[i]->setVisible(shown[static_cast<std::size_t>(i)]);
    }
}

bool TCustomDictForm::runCommand(Command command)
{
    if (m_textCommandRunning)
        return false;
    // The rule is checked again at the moment of the call, so a command that is disabled now
    // never runs, whatever a menu or button still shows.
    ActionListMenuUpdate();
    const CommandRow& row = CommandRowOf(command);
    if (!(m_availability.*row.enabledBy))
        return false;
    (this->*row.handler)();
    scheduleMenuUpdate();
    return true;
}

// ---- save prompt and close

bool TCustomDictForm::QuerySaveChanges()
{
    // Before the engines are read there is no dictionary, so nothing can be unsaved.
    if (!m_access)
        return true;
    return m_access->QuerySaveChanges(
        [this] {
            if (!m_saveDlg)
                m_saveDlg = new TSaveDlg(language(), this);
            return m_saveDlg->ask();
        },
        [this] { saveOpenDictionary(); });
}

bool TCustomDictForm::commitSessionData(bool interactionAllowed)
{
    if (m_textCommandRunning)
        return false;
    if (!changed())
        return true;
    // Without a chance to ask, the edits are kept and the end is refused.
    if (!interactionAllowed)
        return false;
    return QuerySaveChanges();
}

void TCustomDictForm::saveOpenDictionary()
{
    if (m_dictionary.kind == DictionaryKind::EC)
        m_access->SaveEcEdits();
    else
        m_access->SaveCeEdits();
}

void TCustomDictForm::FormCloseQuery(bool& canClose)
{
    canClose = QuerySaveChanges();
}

void TCustomDictForm::closeEvent(QCloseEvent* event)
{
    // A close during an import or export would save and end in the middle of it.
    if (m_textCommandRunning) {
        event->ignore();
        return;
    }
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

// ---- handlers

void TCustomDictForm::ActionFileNewEcExecute()
{
    m_access->ActionFileNewEcExecute();
    followOpenKind();
}

void TCustomDictForm::ActionFileNewCeExecute()
{
    m_access->ActionFileNewCeExecute();
    followOpenKind();
}

void TCustomDictForm::MenuItemOpenEcClick()
{
    m_access->MenuItemOpenEcClick();
    followOpenKind();
}

void TCustomDictForm::ActionFileOpenCeExecute()
{
    m_access->ActionFileOpenCeExecute();
    followOpenKind();
}

void TCustomDictForm::followOpenKind()
{
    // The in-place editor refuses what the engine of the open kind could not store and give
    // back unchanged: the access's check, the one that also judges pastes and added words.
    if (!m_dictionary.open) {
        m_grid->setCellCheck({});
        return;
    }
    m_grid->setCellCheck([access = m_access.get()](int column, std::string_view bytes) {
        return access->checkCellInput(column, bytes);
    });
    // The first word typed after an open goes where a word is looked up: the input box,
    // enabled by the rules right now rather than at the next idle moment. A word left from
    // before is selected, so typing replaces it.
    ActionListMenuUpdate();
    m_input->setFocus(Qt::OtherFocusReason);
    m_input->selectAll();
}

void TCustomDictForm::MenuItemSaveClick()
{
    m_access->MenuItemSaveClick();
}

void TCustomDictForm::MenuItemCloseClick()
{
    m_access->MenuItemCloseClick();
    followOpenKind();
}

void TCustomDictForm::MenuItemFindClick()
{
    // The input box holds only characters of the platform code page (its validator refuses
    // the others), so the bytes are exactly what was typed.
    m_access->MenuItemFindClick(
        EncodeCodePage(m_input->text().toStdU16String(), m_startup.codePage()));
}

void TCustomDictForm::MenuItemAddClick()
{
    // A source the open kind cannot store (too long, a backslash in a C-E word) is refused
    // here with its reason, rather than added and refused at the next save.
    const std::u16string hint = m_access->checkCellInput(
        kColSource, EncodeCodePage(m_input->text().toStdU16String(), m_startup.codePage()));
    if (!hint.empty()) {
        m_prompts->showInformation(hint, {});
        return;
    }
    // The next word typed replaces the one just added.
    if (m_grid->MenuItemAddClick(m_input->text()))
        m_input->selectAll();
}

void TCustomDictForm::MenuItemModifyClick()
{
    m_grid->MenuItemModifyClick();
}

void TCustomDictForm::MenuItemDeleteClick()
{
    m_grid->MenuItemDeleteClick(m_dictionary.open);
}

void TCustomDictForm::MenuItemWidthClick()
{
    if (!m_colWidthDlg)
        m_colWidthDlg = new TColWidthDlg(language(), this);
    // The marker column never becomes current: the column is 1, 2 or 3.
    const int column = m_editor->currentColumn();
    QLineEdit* edit = m_colWidthDlg->Edit1();
    edit->setText(QString::number(m_grid->columnWidth(column)));
    if (m_colWidthDlg->exec() != TColWidthDlg::kResultOk)
        return;
    const QString entered = edit->text();
    bool whole = false;
    const int width = entered.toInt(&whole);
    if (!whole) {
        ShowMessageBox(QMessageBox::Critical, applicationTitle(),
                       QStringLiteral("'%1' is not a valid integer value").arg(entered), this);
        return;
    }
    // A width of zero leaves the column as a zero-wide section, not a hidden one: it stays
    // current and reachable from the keyboard, so this command brings it back. Below zero is
    // taken as zero; beyond what a header section can be, as the widest it can be.
    const int widest = m_grid->horizontalHeader()->maximumSectionSize();
    m_grid->setColumnWidth(column, std::clamp(width, 0, widest));
}

void TCustomDictForm::MenuItemCopyClick()
{
    const std::string text = RowCopyText(*m_editor, m_editor->currentRow());
    QGuiApplication::clipboard()->setMimeData(
        CodePageMimeData(text, m_startup.codePage()).release());
}

void TCustomDictForm::MenuItemToEditorClick()
{
    runTextCommand(&TextCommands::ImportToEditor);
}

void TCustomDictForm::MenuItemToDictClick()
{
    runTextCommand(&TextCommands::ImportToDictionary);
}

void TCustomDictForm::MenuItemFromEditorClick()
{
    runTextCommand(&TextCommands::ExportFromEditor);
}

void TCustomDictForm::MenuItemFromDictClick()
{
    runTextCommand(&TextCommands::ExportFromDictionary);
}

void TCustomDictForm::runTextCommand(TextCommandResult (TextCommands::*command)())
{
    if (m_textCommandRunning)
        return;
    // Each command starts with a progress display of its own, and none outlives it.
    m_prompts->endProgress();
    const bool import =
        command == &TextCommands::ImportToEditor || command == &TextCommands::ImportToDictionary;
    // The records an import did not take are kept aside, for the summary's save button.
    RejectsFile rejects;
    if (import) {
        ImportOptions options;
        options.rejects = &rejects;
        m_text->setImportOptions(options);
    }
    TextCommandResult result;
    {
        const FlagScope running(m_textCommandRunning);
        result = ((*m_text).*command)();
    }
    m_text->setImportOptions({});
    m_prompts->endProgress();
    // Nothing is said when everything went in or the command did not run.
    const std::u16string summary = TextCommandSummary(result, language());
    if (!summary.empty()) {
        if (import && rejects.count() > 0)
            offerToSaveRejects(summary, rejects);
        else
            m_prompts->showInformation(summary, {});
    }
    scheduleMenuUpdate();
}

void TCustomDictForm::offerToSaveRejects(const std::u16string& summary, const RejectsFile& rejects)
{
    if (!m_prompts->showSummaryOfferingSave(summary, Localized(language(), texts::kSaveRejects)))
        return;
    const std::optional<std::string> path = m_prompts->chooseExportFile();
    if (!path)
        return;
    // Never one of the open dictionary's files, nor anything but a regular file.
    if (CheckRejectsTarget(*path, OpenDictionaryFiles(m_dictionary, m_startup),
                           rejects.sourcePath()) != RejectsTargetProblem::None ||
        !rejects.saveTo(*path))
        m_prompts->showInformation(Localized(language(), texts::kRejectsNotSaved), {});
}

void TCustomDictForm::MenuItemEditCutClick()
{
    if (m_textCommandRunning)
        return;
    if (!m_input->hasSelectedText() || m_input->isReadOnly())
        return;
    MenuItemEditCopyClick();
    m_input->del();
}

void TCustomDictForm::MenuItemEditCopyClick()
{
    if (m_textCommandRunning)
        return;
    if (!m_input->hasSelectedText())
        return;
    // The input box holds only characters of the platform code page (its guard refuses the
    // others), so the bytes are exactly its text.
    const std::string bytes =
        EncodeCodePage(m_input->selectedText().toStdU16String(), m_startup.codePage());
    QGuiApplication::clipboard()->setMimeData(
        CodePageMimeData(bytes, m_startup.codePage()).release());
}

void TCustomDictForm::MenuItemEditPasteClick()
{
    if (m_textCommandRunning)
        return;
    QWidget* focus = QApplication::focusWidget();
    if (isMenuWidget(focus))
        focus = m_focusBeforeMenus;
    const bool intoInput = m_input->isEnabled() && focus == m_input;
    const bool intoCell = m_dictionary.open && m_editor->modifyAvailable();
    // The input box holds one line: of several, it takes the first.
    const ClipboardPaste paste =
        ReadClipboardPaste(QGuiApplication::clipboard()->mimeData(), m_startup.codePage(),
                           language(), intoInput ? PasteLines::FirstLine : PasteLines::Refuse);
    if (!paste.hasText)
        return;
    if (paste.refused()) {
        if (intoInput)
            showHint(m_input, paste.hint);
        else if (intoCell)
            showCellHint(kColTarget, paste.hint);
        return;
    }
    if (intoInput) {
        // The input box's guard judges the result, as it judges typing.
        m_input->insert(
            QString::fromStdU16String(DecodeCodePage(paste.bytes, m_startup.codePage())));
        if (!paste.droppedLinesHint.empty())
            showHint(m_input, paste.droppedLinesHint);
    }
    if (intoCell && !paste.bytes.empty()) {
        const std::u16string hint = m_access->checkCellInput(kColTarget, paste.bytes);
        if (!hint.empty())
            showCellHint(kColTarget, hint);
        else
            PasteIntoTargetCell(*m_editor, paste.bytes);
    }
    scheduleMenuUpdate();
}

void TCustomDictForm::showHint(QWidget* widget, const std::u16string& hint)
{
    QToolTip::showText(widget->mapToGlobal(QPoint(0, widget->height())),
                       QString::fromStdU16String(hint), widget);
}

void TCustomDictForm::showCellHint(int column, const std::u16string& hint)
{
    const QRect cell = m_grid->visualRect(m_grid->model()->index(m_editor->currentRow(), column));
    QToolTip::showText(m_grid->viewport()->mapToGlobal(cell.bottomLeft()),
                       QString::fromStdU16String(hint), m_grid);
}

void TCustomDictForm::MenuItemExitClick()
{
    close();
}

void TCustomDictForm::MenuItemAboutClick()
{
    if (m_aboutForm)
        m_aboutForm->exec();
}

} // namespace kelvara
