#include "app/CSMain.h"

#include "access/DictionaryAccess.h"
#include "app/About.h"
#include "app/CommandTable.h"
#include "app/FileDialogs.h"
#include "app/ImageList.h"
#include "app/Save.h"
#include "app/SolidToolBar.h"
#include "app/width.h"
#include "editor/qt/EntryGridView.h"
#include "editor/qt/LineEditGuard.h"
#include "flatmenu/qt/ItemAwareMenus.h"
#include "platform/Paths.h"
#include "platform/qt/QtFormLook.h"
#include "textio/TextCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvara {

namespace {

constexpr int kGridRowHeight = 18;

// A fixed-width gap between tool bar buttons: the bar's separators and its divider.
QWidget* toolBarGap(const char* name, QWidget* parent)
{
    auto* gap = new QFrame(parent);
    gap->setObjectName(QString::fromLatin1(name));
    gap->setFixedSize(8, 24);
    return gap;
}

} // namespace

TCustomDictForm::TCustomDictForm(const std::string& programFolder, QWidget* parent)
    : QMainWindow(parent), m_components(kMainFormName)
{
    setObjectName(kMainFormName);
    setFont(QtFormFont(FormFont::MainWindow));
    setContextMenuPolicy(Qt::NoContextMenu); // no tool bar toggles: the layout is fixed
    resize(505, 309);

    m_imageList = new ImageList(this);
    m_imageList->setObjectName(QStringLiteral("ImageList1"));
    setWindowIcon(m_imageList->icon(ImageList::Spare));

    // Built in the order the layout declares the components.
    buildActions();
    buildToolBar();
    buildPanel();
    buildMenus();
    declare(m_imageList);
    declare(m_actionList);
    for (QAction* a : m_actions) {
        if (a && a->parent() == m_actionList)
            declare(a);
    }
    buildDialogs();
    m_flatPainterSlot = m_components.count();
    // The painter activates while the form is read: the menus declared before it are painted
    // flat, PopupMenuForEdit, declared after it, keeps the native look.
    m_flatPainter = std::make_unique<QtFlatPainter>(this, m_components);
    declare(m_flatPainter.get());
    TFlatPainterStoredProperties::FlatPainter1().Assign(m_flatPainter->painter());
    buildInputPopup();

    applyCaptionTable(MainWindowFormTexts());
    connectIdleUpdates();
    connectSessionEnd();

    FormCreate(programFolder);
    m_flatPainter->painter().Loaded();
    ActionListMenuUpdate();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TCustomDictForm::~TCustomDictForm()
{
    qApp->removeEventFilter(this);
    // Focus moves while the widgets go must not reach this half-destroyed window.
    disconnect(qApp, nullptr, this, nullptr);
    // The grid's model leaves the entry editor's listeners as it goes, so the grid must go
    // while the editor (a member, gone before the base class deletes the children) is there.
    delete m_grid;
    m_grid = nullptr;
    FormDestroy();
}

void TCustomDictForm::attachDialogs(TSaveDlg* saveDlg, TColWidthDlg* colWidthDlg,
                                    TAboutForm* aboutForm)
{
    m_saveDlg = saveDlg;
    m_colWidthDlg = colWidthDlg;
    m_aboutForm = aboutForm;
}

void TCustomDictForm::declare(QObject* component)
{
    m_components.add(component->objectName().toStdString(), component);
}

QAction* TCustomDictForm::action(Command command) const
{
    return m_actions.at(static_cast<std::size_t>(command));
}

void TCustomDictForm::buildActions()
{
    m_actionList = new QObject(this);
    m_actionList->setObjectName(QStringLiteral("ActionListMenu"));
    for (const CommandRow& row : CommandTable()) {
        if (!row.isAction())
            continue; // built with its menu
        auto* a = new QAction(m_actionList);
        a->setObjectName(QString::fromLatin1(row.name));
        a->setProperty("category", QString::fromLatin1(row.category));
        a->setProperty("imageIndex", row.image);
        if (row.image >= 0)
            a->setIcon(m_imageList->icon(row.image));
        const Command command = row.command;
        connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
        m_actions.at(static_cast<std::size_t>(command)) = a;
    }
}

void TCustomDictForm::buildToolBar()
{
    m_toolBar = new SolidToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(ImageList::kSize, ImageList::kSize));
    m_toolBar->setFixedHeight(30);
    m_toolBar->setContentsMargins(4, 1, 1, 1);
    m_toolBar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    declare(m_toolBar);

    auto addButton = [this](const char* name, Command command) {
        auto* button = new QToolButton(m_toolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(action(command));
        button->setAutoRaise(true);
        button->setFixedSize(25, 24);
        button->setFocusPolicy(Qt::NoFocus);
        m_toolBar->addWidget(button);
        declare(button);
    };
    auto addGap = [this](const char* name) {
        QWidget* gap = toolBarGap(name, m_toolBar);
        m_toolBar->addWidget(gap);
        declare(gap);
    };

    addButton("ToolButtonSave", Command::FileSave);
    addGap("ToolButton1");
    m_input = new QLineEdit(m_toolBar);
    m_input->setObjectName(QStringLiteral("EditWordInput"));
    m_input->setFixedSize(212, 24);
    m_input->setFrame(false);
    m_input->setFont(QtFormFont(FormFont::InputBox));
    m_input->setContextMenuPolicy(Qt::CustomContextMenu);
    // Return looks the word up, when Find is available.
    connect(m_input, &QLineEdit::returnPressed, this, [this] { runCommand(Command::WordFind); });
    m_toolBar->addWidget(m_input);
    declare(m_input);
    addGap("ToolButton2");
    addButton("ToolButtonFind", Command::WordFind);
    addButton("ToolButtonAdd", Command::WordAdd);
    addGap("ToolButton3");
    addButton("ToolButtonDelete", Command::WordDelete);
}

void TCustomDictForm::buildPanel()
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("PanelDisplay"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setLineWidth(1);
    // The flat painter draws the panel's bevels: raised outside, lowered inside.
    m_panel->setProperty("BevelOuter", QStringLiteral("bvRaised"));
    m_panel->setProperty("BevelInner", QStringLiteral("bvLowered"));
    setCentralWidget(m_panel);
    declare(m_panel);

    auto* layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(1, 1, 1, 1);
    // The grid needs the entry model, which takes the interface language: FormCreate builds
    // it into this place once the configuration is read.
    m_gridSlot = m_components.count();
}

void TCustomDictForm::buildGrid()
{
    m_grid = new EntryGridView(*m_editor, m_panel);
    m_panel->layout()->addWidget(m_grid);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_typeCombo = m_grid->typeCombo();
    m_typeCombo->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    m_components.insert(m_gridSlot, "StringGridDict", m_grid);
    m_components.insert(m_gridSlot + 1, "ComboBoxType", m_typeCombo);
    m_flatPainterSlot += 2;
    // The painter took hold of the form before the grid existed: the drop-down joins now.
    if (m_flatPainter && m_flatPainter->painter().Active())
        if (const Component* combo = m_components.find("ComboBoxType"))
            m_flatPainter->painter().ApplyToComponent(*combo, true, true);

    m_editor->setTitles(m_titles[kColSource], m_titles[kColPartOfSpeech], m_titles[kColTarget]);
    connect(m_grid, &EntryGridView::stateChanged, this, &TCustomDictForm::scheduleMenuUpdate);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        ActionListMenuUpdate();
        m_popupEdit->exec(m_grid->viewport()->mapToGlobal(at));
    });
}

QAction* TCustomDictForm::addMenuItem(QMenu* menu, const char* name, Command command,
                                      bool ownCaption)
{
    QAction* source = action(command);
    auto* item = new QAction(menu);
    item->setObjectName(QString::fromLatin1(name));
    menu->addAction(item);
    // A menu item bound to an action shows the action's state (and its caption, unless the
    // item keeps one of its own).
    auto follow = [item, source, ownCaption] {
        if (!ownCaption)
            item->setText(source->text());
        item->setIcon(source->icon());
        item->setStatusTip(source->statusTip());
        item->setEnabled(source->isEnabled());
    };
    follow();
    connect(source, &QAction::changed, item, follow);
    connect(item, &QAction::triggered, this, [this, command] { runCommand(command); });
    declare(item);
    return item;
}

QAction* TCustomDictForm::addSeparator(QMenu* menu, const char* name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    declare(separator);
    return separator;
}

QMenu* TCustomDictForm::addSubmenu(QMenu* parentMenu, const char* name)
{
    auto* menu = new ItemAwareMenu(parentMenu);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menu->setSeparatorsCollapsible(false); // the separator rule decides
    parentMenu->addMenu(menu);
    declare(menu);
    return menu;
}

void TCustomDictForm::buildMenus()
{
    m_mainMenu = new ItemAwareMenuBar(this);
    m_mainMenu->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(m_mainMenu);
    declare(m_mainMenu);

    auto topMenu = [this](const char* name) {
        auto* menu = new ItemAwareMenu(m_mainMenu);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        menu->setSeparatorsCollapsible(false);
        m_mainMenu->addMenu(menu);
        declare(menu);
        return menu;
    };

    m_menuFile = topMenu("MenuItemFile");
    m_menuNew = addSubmenu(m_menuFile, "MenuItemNew");
    addMenuItem(m_menuNew, "MenuItemNewEc", Command::FileNewEc, false);
    addMenuItem(m_menuNew, "MenuItemNewCe", Command::FileNewCe, false);
    m_menuNew->menuAction()->setVisible(false);
    addSeparator(m_menuFile, "N1");
    m_menuOpen = addSubmenu(m_menuFile, "MenuItemOpen");
    m_menuOpen->menuAction()->setIcon(m_imageList->icon(ImageList::Open));
    addMenuItem(m_menuOpen, "MenuItemOpenEc", Command::FileOpenEc, false);
    addMenuItem(m_menuOpen, "MenuItemOpenCe", Command::FileOpenCe, false);
    addMenuItem(m_menuFile, "MenuItemSave", Command::FileSave, false);
    addMenuItem(m_menuFile, "MenuItemClose", Command::FileClose, false);
    addSeparator(m_menuFile, "N2");

    // The import and export entries are menu items with handlers of their own; each item
    // stands for its command.
    auto directItem = [this](QMenu* menu, Command command) {
        auto* item = new QAction(menu);
        item->setObjectName(QString::fromLatin1(CommandRowOf(command).name));
        menu->addAction(item);
        connect(item, &QAction::triggered, this, [this, command] { runCommand(command); });
        m_actions.at(static_cast<std::size_t>(command)) = item;
        declare(item);
        return item;
    };
    m_menuImport = addSubmenu(m_menuFile, "MenuItemImport");
    directItem(m_menuImport, Command::ImportToEditor);
    directItem(m_menuImport, Command::ImportToDict);
    m_menuImport->menuAction()->setVisible(false);
    m_menuExport = addSubmenu(m_menuFile, "MenuItemExport");
    directItem(m_menuExport, Command::ExportFromEditor);
    directItem(m_menuExport, Command::ExportFromDict);
    m_menuExport->menuAction()->setVisible(false);
    addSeparator(m_menuFile, "N3");
    auto* exitItem = new QAction(m_menuFile);
    exitItem->setObjectName(QStringLiteral("MenuItemExit"));
    m_menuFile->addAction(exitItem);
    connect(exitItem, &QAction::triggered, this, &TCustomDictForm::MenuItemExitClick);
    declare(exitItem);

    m_menuEdit = topMenu("MenuItemEdit");
    addMenuItem(m_menuEdit, "MenuItemFind", Command::WordFind, false);
    addMenuItem(m_menuEdit, "MenuItemAdd", Command::WordAdd, false);
    addMenuItem(m_menuEdit, "MenuItemDelete", Command::WordDelete, false);
    addMenuItem(m_menuEdit, "MenuItemModify", Command::WordModify, false);
    addSeparator(m_menuEdit, "N4");
    addMenuItem(m_menuEdit, "MenuItemCopy", Command::WordCopy, false);
    addSeparator(m_menuEdit, "N5");
    addMenuItem(m_menuEdit, "MenuItemWidth", Command::WordWidth, false);

    m_popupEdit = new ItemAwareMenu(this);
    m_popupEdit->setObjectName(QStringLiteral("PopupMenuEdit"));
    m_popupEdit->setSeparatorsCollapsible(false);
    declare(m_popupEdit);
    addMenuItem(m_popupEdit, "Modify2", Command::WordModify, true);
    addMenuItem(m_popupEdit, "Delete2", Command::WordDelete, true);
    addMenuItem(m_popupEdit, "Copy2", Command::WordCopy, true);
    addSeparator(m_popupEdit, "N6");
    addMenuItem(m_popupEdit, "W1", Command::WordWidth, false);
}

void TCustomDictForm::buildDialogs()
{
    auto make = [this](const char* name, const LazyFileDialog::Settings& settings) {
        auto* dialog = new LazyFileDialog(name, settings, this);
        declare(dialog);
        return dialog;
    };
    // The dictionary dialogs let a new name be typed: the chosen file need not exist, but its
    // folder must, as for the text file to save.
    m_openDictEc =
        make("OpenDialogDictEc", {QFileDialog::AcceptOpen, QFileDialog::AnyFile, {}, true});
    m_openDictCe =
        make("OpenDialogDictCe", {QFileDialog::AcceptOpen, QFileDialog::AnyFile, {}, true});
    m_openTxt =
        make("OpenDialogTxt", {QFileDialog::AcceptOpen, QFileDialog::ExistingFile, {}, false});
    m_saveTxt = make("SaveDialogTxt",
                     {QFileDialog::AcceptSave, QFileDialog::AnyFile, QStringLiteral("txt"), true});
}

void TCustomDictForm::buildInputPopup()
{
    m_popupForEdit = new ItemAwareMenu(this);
    m_popupForEdit->setObjectName(QStringLiteral("PopupMenuForEdit"));
    declare(m_popupForEdit);
    auto item = [this](const char* name) {
        auto* a = new QAction(m_popupForEdit);
        a->setObjectName(QString::fromLatin1(name));
        m_popupForEdit->addAction(a);
        declare(a);
        return a;
    };
    connect(item("MenuItemEditCut"), &QAction::triggered, this,
            &TCustomDictForm::MenuItemEditCutClick);
    connect(item("MenuItemEditCopy"), &QAction::triggered, this,
            &TCustomDictForm::MenuItemEditCopyClick);
    // Paste repairs text whose Chinese characters the clipboard lost; Ctrl+V in the input box
    // runs it too (the window's event filter), the item only shows the key.
    QAction* paste = item("MenuItemEditPaste");
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetShortcut);
    connect(paste, &QAction::triggered, this, &TCustomDictForm::MenuItemEditPasteClick);
    connect(m_input, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_popupForEdit->exec(m_input->mapToGlobal(at)); });
}

void TCustomDictForm::FormCreate(const std::string& programFolder)
{
    m_startup = ReadStartupState(programFolder);
    m_editor = std::make_unique<EntryEditor>(m_startup.language, m_startup.codePage());
    m_prompts = std::make_unique<WindowPrompts>(
        *this, m_startup.language,
        WindowFileDialogs{m_openDictEc, m_openDictCe, m_openTxt, m_saveTxt},
        [this] { return QuerySaveChanges(); }, [this] { scheduleMenuUpdate(); });
    buildGrid();
    m_prompts->setGrid(m_grid, m_typeCombo);
    m_access = std::make_unique<DictionaryAccess>(m_startup, m_dictionary, *m_editor, *m_prompts);
    m_text = std::make_unique<TextCommands>(m_startup, m_dictionary, *m_editor, *m_prompts);
    // The input box refuses characters the platform code page cannot hold.
    GuardLineEdit(m_input, m_startup.codePage(), m_startup.language);

    // A kind whose binding failed stays unavailable for the whole run.
    if (!m_startup.ec.available()) {
        action(Command::FileNewEc)->setEnabled(false);
        action(Command::FileOpenEc)->setEnabled(false);
    }
    if (!m_startup.ce.available()) {
        action(Command::FileNewCe)->setEnabled(false);
        action(Command::FileOpenCe)->setEnabled(false);
    }

    // The state for no open dictionary.
    m_grid->setRowHeight(kTitleRow, kGridRowHeight);
    m_grid->StringGridDictSelectCell(kColSource, kFirstDataRow);
    m_grid->hide();
    m_input->setEnabled(false);
    m_typeCombo->hide();

    // A dialog keeps its initial folder without the trailing separator, unless it is a root.
    std::string folder = m_startup.engineDirectory;
    if (folder.size() > 1 && folder.back() == kPathSeparator &&
        !(folder.size() == 3 && folder[1] == ':'))
        folder.pop_back();
    m_dictionary.ecDialogFolder = folder;
    m_dictionary.ceDialogFolder = folder;
    m_openDictEc->setDirectory(QFile::decodeName(QByteArray::fromStdString(folder)));
    m_openDictCe->setDirectory(QFile::decodeName(QByteArray::fromStdString(folder)));
    for (LazyFileDialog* dialog : {m_openDictEc, m_openDictCe, m_openTxt, m_saveTxt})
        dialog->setLanguage(m_startup.language);

    switch (m_startup.language) {
    case InterfaceLanguage::Simplified:
        ApplySimplifiedCaptions();
        break;
    case InterfaceLanguage::Traditional:
        ApplyTraditionalCaptions();
        break;
    case InterfaceLanguage::English:
        ApplyEnglishCaptions();
        break;
    }
}

void TCustomDictForm::FormDestroy()
{
    UnloadEngines(m_startup);
}

} // namespace kelvara
