#include "WindowFixture.h"

#include "app/FileDialogs.h"
#include "app/ImageList.h"
#include "editor/qt/EntryGridView.h"
#include "flatmenu/qt/QtFlatForms.h"
#include "flatmenu/qt/QtFlatPainter.h"
#include "flatmenu/qt/QtMenuModel.h"
#include "lang/AccessMessages.h"
#include "platform/qt/ControlMessageChain.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace kelvara {
namespace {

// ---- layout

TEST_F(WindowTest, ComponentsAreDeclaredInLayoutOrderWithTagZero)
{
    start("lang_en.ini");
    const std::vector<std::string> expected = {"ToolBar1",
                                               "ToolButtonSave",
                                               "ToolButton1",
                                               "EditWordInput",
                                               "ToolButton2",
                                               "ToolButtonFind",
                                               "ToolButtonAdd",
                                               "ToolButton3",
                                               "ToolButtonDelete",
                                               "PanelDisplay",
                                               "StringGridDict",
                                               "ComboBoxType",
                                               "MainMenu1",
                                               "MenuItemFile",
                                               "MenuItemNew",
                                               "MenuItemNewEc",
                                               "MenuItemNewCe",
                                               "N1",
                                               "MenuItemOpen",
                                               "MenuItemOpenEc",
                                               "MenuItemOpenCe",
                                               "MenuItemSave",
                                               "MenuItemClose",
                                               "N2",
                                               "MenuItemImport",
                                               "MenuItemToEditor",
                                               "MenuItemToDict",
                                               "MenuItemExport",
                                               "MenuItemFromEditor",
                                               "MenuItemFromDict",
                                               "N3",
                                               "MenuItemExit",
                                               "MenuItemEdit",
                                               "MenuItemFind",
                                               "MenuItemAdd",
                                               "MenuItemDelete",
                                               "MenuItemModify",
                                               "N4",
                                               "MenuItemCopy",
                                               "N5",
                                               "MenuItemWidth",
                                               "PopupMenuEdit",
                                               "Modify2",
                                               "Delete2",
                                               "Copy2",
                                               "N6",
                                               "W1",
                                               "ImageList1",
                                               "ActionListMenu",
                                               "ActionFileNewEc",
                                               "ActionFileNewCe",
                                               "ActionFileOpenEc",
                                               "ActionFileOpenCe",
                                               "ActionFileSave",
                                               "ActionFileClose",
                                               "ActionWordFind",
                                               "ActionWordAdd",
                                               "ActionWordModify",
                                               "ActionWordDelete",
                                               "ActionWordWidth",
                                               "ActionWordCopy",
                                               "OpenDialogDictEc",
                                               "OpenDialogDictCe",
                                               "OpenDialogTxt",
                                               "SaveDialogTxt",
                                               "FlatPainter1",
                                               "PopupMenuForEdit",
                                               "MenuItemEditCut",
                                               "MenuItemEditCopy",
                                               "MenuItemEditPaste"};
    std::vector<std::string> names;
    for (const Component& c : m_window->components()) {
        names.push_back(c.name);
        EXPECT_EQ(c.tag, 0) << c.name;
        // Each component carries its name as its object name.
        EXPECT_EQ(static_cast<QObject*>(c.object)->objectName().toStdString(), c.name);
    }
    EXPECT_EQ(names, expected);
    // FlatPainter1 goes right before the input box's pop-up menu.
    EXPECT_EQ(static_cast<int>(m_window->flatPainterSlot()),
              m_window->components().indexOf("FlatPainter1"));
}

TEST_F(WindowTest, MenusDeclaredBeforeThePainterArePaintedFlat)
{
    start("lang_en.ini", {true, true});
    auto* fileMenu = component<QMenu>("MenuItemFile");
    ASSERT_NE(fileMenu, nullptr);
    EXPECT_TRUE(QtMenu::isOwnerDrawn(component<QWidget>("MainMenu1")));
    EXPECT_TRUE(QtMenu::isOwnerDrawn(fileMenu));
    EXPECT_TRUE(QtMenu::isOwnerDrawn(component<QWidget>("PopupMenuEdit")));
    // Declared after the painter: the input box's menu keeps the native look.
    EXPECT_FALSE(QtMenu::isOwnerDrawn(component<QWidget>("PopupMenuForEdit")));

    // The File menu's items measure and paint through the painter's handlers: switched off,
    // the same menu looks otherwise.
    fileMenu->popup(QPoint(0, 0));
    QCoreApplication::processEvents();
    const QImage flat = fileMenu->grab().toImage();
    fileMenu->hide();
    auto* painter = component<QtFlatPainter>("FlatPainter1");
    ASSERT_NE(painter, nullptr);
    painter->painter().SetActive(false);
    fileMenu->popup(QPoint(0, 0));
    QCoreApplication::processEvents();
    const QImage native = fileMenu->grab().toImage();
    fileMenu->hide();
    EXPECT_NE(flat, native);
}

TEST_F(WindowTest, ControlsAndDialogButtonsArePaintedFlatInTheirStates)
{
    start("lang_en.ini", {true, true});
    component<QAction>("ActionFileOpenEc")->trigger();
    m_window->show();
    QCoreApplication::processEvents();
    const auto send = [](QWidget* widget, QEvent::Type type) {
        QEvent event(type);
        QCoreApplication::sendEvent(widget, &event);
        QCoreApplication::processEvents();
    };
    const auto pixel = [](QWidget* widget, int x, int y) {
        return widget->grab().toImage().pixel(x, y);
    };

    // The input box: a flat outline that turns hot under the mouse and back when it leaves.
    auto* input = component<QLineEdit>("EditWordInput");
    ASSERT_TRUE(input->isEnabled());
    for (const char* name : {"EditWordInput", "ComboBoxType", "PanelDisplay"}) {
        const ControlMessageChain* chain = ControlMessageChain::existing(component<QWidget>(name));
        EXPECT_TRUE(chain && chain->windowProc()) << name << " is hooked";
    }
    EXPECT_EQ(ControlMessageChain::existing(component<QWidget>("StringGridDict")), nullptr)
        << "the grid gets no painter";
    // After an open the input box has the focus; a borderless edit shows its outline only
    // when the mouse is over it without the focus.
    m_window->activateWindow();
    component<QWidget>("StringGridDict")->setFocus();
    QCoreApplication::processEvents();
    ASSERT_FALSE(input->hasFocus());
    const QRgb idle = pixel(input, 0, 10);
    send(input, QEvent::Enter);
    EXPECT_NE(pixel(input, 0, 10), idle) << "hot outline";
    send(input, QEvent::Leave);
    EXPECT_EQ(pixel(input, 0, 10), idle);

    // The panel: raised outside (light over shadow), lowered inside (shadow over light).
    auto* panel = component<QWidget>("PanelDisplay");
    EXPECT_GT(qGray(pixel(panel, 0, 0)), qGray(pixel(panel, 1, 1)));

    // The save prompt's bitmap buttons take the window's look once announced: hot and
    // pressed look otherwise than idle.
    FlatForms::Announce(m_save.get(), m_save->components());
    m_save->show();
    QCoreApplication::processEvents();
    auto* no = m_save->findChild<QPushButton*>(QStringLiteral("NoBtn"));
    ASSERT_NE(no, nullptr);
    const QImage noIdle = no->grab().toImage();
    send(no, QEvent::Enter);
    const QImage noHot = no->grab().toImage();
    EXPECT_NE(noHot, noIdle);
    QTest::mousePress(no, Qt::LeftButton, {}, no->rect().center());
    QCoreApplication::processEvents();
    EXPECT_NE(no->grab().toImage(), noHot) << "pressed";
    m_save->hide();
}

TEST_F(WindowTest, ControlsHaveTheirLayout)
{
    start("lang_en.ini", {true, true});
    EXPECT_EQ(m_window->objectName(), "TCustomDictForm");
    EXPECT_EQ(m_window->size(), QSize(505, 309));
    auto* input = component<QLineEdit>("EditWordInput");
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->size(), QSize(212, 24));
    EXPECT_FALSE(input->hasFrame());
    auto* combo = component<QComboBox>("ComboBoxType");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->parent(), component<QWidget>("PanelDisplay"));
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->width(), 73);
    EXPECT_FALSE(combo->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(component<QToolButton>("ToolButtonSave")->size(), QSize(25, 24));
    EXPECT_EQ(component<QToolButton>("ToolButtonFind")->defaultAction(), item("ActionWordFind"));

    const ImageList& images = m_window->imageList();
    ASSERT_EQ(images.count(), 6);
    for (int i = 0; i < images.count(); ++i)
        EXPECT_EQ(images.image(i).size(), QSize(16, 16));
    EXPECT_EQ(item("ActionFileSave")->property("imageIndex").toInt(), 1);
    EXPECT_EQ(item("ActionWordDelete")->property("imageIndex").toInt(), 4);
    EXPECT_EQ(item("ActionWordFind")->property("category").toString(), "word");
    EXPECT_EQ(item("ActionFileClose")->property("category").toString(), "File");
    for (const char* name : {"ActionFileOpenEc", "ActionFileSave", "ActionWordCopy"})
        EXPECT_TRUE(item(name)->shortcut().isEmpty()) << name;

    // The file dialogs are built when first needed, with every setting they were given.
    auto* openEcSlot = component<LazyFileDialog>("OpenDialogDictEc");
    ASSERT_NE(openEcSlot, nullptr);
    EXPECT_FALSE(openEcSlot->isBuilt());
    QFileDialog* openEc = openEcSlot->dialog();
    EXPECT_EQ(openEc->objectName(), "OpenDialogDictEc");
    EXPECT_EQ(openEc->windowTitle(), q(u"英汉用户词库"));
    EXPECT_EQ(openEc->nameFilters(), QStringList{q(u"英汉用户词库(UserEc*.key)")});
    EXPECT_EQ(openEc->fileMode(), QFileDialog::AnyFile); // a new name may be typed
    EXPECT_EQ(openEc->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_TRUE(openEc->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(openEc->isSizeGripEnabled());
    EXPECT_EQ(openEcSlot->dialog(), openEc); // built once
    QFileDialog* openCe = component<LazyFileDialog>("OpenDialogDictCe")->dialog();
    EXPECT_EQ(openCe->windowTitle(), q(u"汉英用户词库"));
    EXPECT_EQ(openCe->nameFilters(), QStringList{q(u"汉英用户词库(UserCe*.ext)")});
    EXPECT_EQ(openCe->fileMode(), QFileDialog::AnyFile);
    QFileDialog* saveTxt = component<LazyFileDialog>("SaveDialogTxt")->dialog();
    EXPECT_EQ(saveTxt->windowTitle(), q(u"保存文件"));
    EXPECT_EQ(saveTxt->defaultSuffix(), "txt");
    EXPECT_EQ(saveTxt->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(saveTxt->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(saveTxt->nameFilters(), (QStringList{q(u"文本文件(*.txt)"), q(u"所有文件(*.*)")}));
    QFileDialog* openTxt = component<LazyFileDialog>("OpenDialogTxt")->dialog();
    EXPECT_EQ(openTxt->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(openTxt->nameFilters(), saveTxt->nameFilters());
}

TEST_F(WindowTest, StartsInTheStateForNoOpenDictionary)
{
    start("lang_en.ini", {true, true});
    auto* grid = component<EntryGridView>("StringGridDict");
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isHidden());
    EXPECT_EQ(grid->rowHeight(0), 18);
    EXPECT_EQ(m_window->editor().currentColumn(), 1);
    EXPECT_EQ(m_window->editor().currentRow(), 1);
    EXPECT_TRUE(component<QComboBox>("ComboBoxType")->isHidden());
    EXPECT_FALSE(component<QLineEdit>("EditWordInput")->isEnabled());
    for (const char* name : {"ActionFileNewEc", "ActionFileNewCe", "ActionFileOpenEc",
                             "ActionFileOpenCe", "MenuItemOpenEc", "MenuItemOpenCe"})
        EXPECT_TRUE(item(name)->isEnabled()) << name;
    for (const char* name : {"ActionFileSave", "ActionFileClose", "ActionWordFind", "ActionWordAdd",
                             "ActionWordDelete"})
        EXPECT_FALSE(item(name)->isEnabled()) << name;
    // Both dictionary dialogs start in the engine folder, kept without its separator.
    const QString engineFolder = QString::fromStdString(m_folder.folder() + "ArticleS");
    for (const char* name : {"OpenDialogDictEc", "OpenDialogDictCe"}) {
        auto* dialog = component<LazyFileDialog>(name);
        EXPECT_FALSE(dialog->isBuilt()) << name;
        EXPECT_EQ(dialog->directory(), engineFolder) << name;
        EXPECT_EQ(dialog->dialog()->directory().absolutePath(), engineFolder) << name;
    }
    EXPECT_EQ(m_window->dictionary().ecDialogFolder, m_folder.folder() + "ArticleS");
}

TEST_F(WindowTest, KindWithoutEngineKeepsItsOpenAndNewDisabled)
{
    start("lang_en.ini", {true, false});
    EXPECT_TRUE(item("ActionFileOpenEc")->isEnabled());
    EXPECT_TRUE(item("ActionFileNewEc")->isEnabled());
    EXPECT_FALSE(item("ActionFileOpenCe")->isEnabled());
    EXPECT_FALSE(item("ActionFileNewCe")->isEnabled());
    EXPECT_FALSE(item("MenuItemOpenCe")->isEnabled());
    EXPECT_TRUE(menu("MenuItemOpen")->menuAction()->isEnabled());
    EXPECT_FALSE(m_window->runCommand(Command::FileOpenCe));
}

TEST_F(WindowTest, WithoutEnginesOnlyExitIsLeft)
{
    start("lang_en.ini");
    for (const char* name : {"ActionFileNewEc", "ActionFileNewCe", "ActionFileOpenEc",
                             "ActionFileOpenCe", "ActionFileSave", "ActionFileClose"})
        EXPECT_FALSE(item(name)->isEnabled()) << name;
    EXPECT_FALSE(menu("MenuItemOpen")->menuAction()->isEnabled());
    EXPECT_FALSE(menu("MenuItemNew")->menuAction()->isEnabled());
    EXPECT_TRUE(item("MenuItemExit")->isEnabled());
    EXPECT_FALSE(m_window->runCommand(Command::FileOpenEc));
    EXPECT_FALSE(m_window->runCommand(Command::ImportToEditor));
}

TEST_F(WindowTest, HiddenSubmenusAndEditMenu)
{
    start("lang_en.ini", {true, true});
    for (const char* name : {"MenuItemNew", "MenuItemImport", "MenuItemExport"})
        EXPECT_FALSE(menu(name)->menuAction()->isVisible()) << name;
    EXPECT_FALSE(menu("MenuItemEdit")->menuAction()->isVisible());
    // The separator after the hidden New is at the top; the one after Import and Export
    // would follow another.
    EXPECT_FALSE(item("N1")->isVisible());
    EXPECT_TRUE(item("N2")->isVisible());
    EXPECT_FALSE(item("N3")->isVisible());

    m_window->setDictionaryOpen(true);
    idle();
    EXPECT_TRUE(menu("MenuItemEdit")->menuAction()->isVisible());
    // Hidden, the submenus stay out of reach, but their rule is computed and their entries
    // run while a dictionary is open.
    EXPECT_FALSE(menu("MenuItemImport")->menuAction()->isVisible());
    EXPECT_TRUE(m_window->availability().importMenu);
    EXPECT_TRUE(m_window->availability().exportMenu);
    {
        ModalAnswer<QFileDialog> cancel([](QFileDialog& dialog) { dialog.reject(); });
        EXPECT_TRUE(m_window->runCommand(Command::ExportFromDict));
        EXPECT_TRUE(cancel.answered()) << "the export asks for its file";
    }
    EXPECT_TRUE(item("N4")->isVisible());
    EXPECT_TRUE(item("N5")->isVisible());
}

// ---- captions

TEST_F(WindowTest, EnglishCaptionsFollowActionsAndHints)
{
    start("lang_en.ini", {true, true});
    EXPECT_EQ(m_window->windowTitle(), "Custom Dictionary Utility");
    EXPECT_EQ(TCustomDictForm::applicationTitle(), "Custom Dictionary Utility");
    EXPECT_EQ(item("MenuItemOpenEc")->text(), "&E-C Custom Dictionary");
    EXPECT_EQ(item("MenuItemSave")->text(), "&Save");
    EXPECT_EQ(item("MenuItemWidth")->text(), "Column &Width");
    EXPECT_EQ(menu("MenuItemFile")->title(), "&File");
    EXPECT_EQ(menu("MenuItemOpen")->title(), "&Open");
    EXPECT_EQ(item("MenuItemExit")->text(), "&Exit");
    EXPECT_EQ(item("Modify2")->text(), "&Modify the Current Entry");
    EXPECT_EQ(item("W1")->text(), "Column &Width");
    EXPECT_EQ(item("MenuItemEditCut")->text(), "Cut(&T)");
    EXPECT_EQ(component<QToolButton>("ToolButtonSave")->toolTip(),
              "Save the Entries in the Editor");
    EXPECT_EQ(component<QToolButton>("ToolButtonAdd")->toolTip(),
              "Add the Entry in the Input Box to the Editor");
    EXPECT_EQ(component<QToolButton>("ToolButtonDelete")->toolTip(), "Delete the Current Entry");
    EXPECT_EQ(component<QLineEdit>("EditWordInput")->toolTip(), "Input Box for Source or Target");
    EXPECT_EQ(m_window->editor().title(1), u"Source");
    EXPECT_EQ(m_window->editor().title(3), u"Target");
    // Untranslated entries keep the form's Simplified texts.
    EXPECT_EQ(menu("MenuItemImport")->title(), q(u"从文本文件导入(&I)"));
    EXPECT_EQ(item("MenuItemToDict")->text(), q(u"到当前用户词库(&D)"));
    EXPECT_EQ(item("MenuItemNewEc")->text(), q(u"英汉用户词库(&E)"));
    EXPECT_EQ(menu("MenuItemNew")->title(), q(u"新建(&N)"));
}

TEST_F(WindowTest, SimplifiedCaptionsReplaceTheOpenFormTexts)
{
    start("lang_sc.ini", {true, true});
    EXPECT_EQ(m_window->language(), InterfaceLanguage::Simplified);
    EXPECT_EQ(m_window->windowTitle(), q(u"用户词典维护"));
    EXPECT_EQ(item("MenuItemOpenEc")->text(), q(u"英汉用户词典(&E)"));
    EXPECT_EQ(item("MenuItemOpenCe")->text(), q(u"汉英用户词典(&C)"));
    EXPECT_EQ(item("MenuItemNewEc")->text(), q(u"英汉用户词库(&E)"));
    EXPECT_EQ(menu("MenuItemOpen")->title(), q(u"打开(&O)"));
    EXPECT_EQ(item("MenuItemToDict")->text(), q(u"到当前用户词典(&D)"));
    EXPECT_EQ(item("Copy2")->text(), q(u"复制当前记录(&C)"));
    EXPECT_EQ(item("W1")->text(), q(u"列宽(&W)"));
    EXPECT_EQ(component<QToolButton>("ToolButtonFind")->toolTip(), q(u"查找输入框中的词条"));
    EXPECT_EQ(m_window->editor().title(2), u"词性");
}

TEST_F(WindowTest, TraditionalCaptionsLeaveHiddenEntriesSimplified)
{
    start("lang_tc.ini", {true, true});
    EXPECT_EQ(m_window->windowTitle(), q(u"用戶詞典"));
    EXPECT_EQ(TCustomDictForm::applicationTitle(), q(u"用戶詞典"));
    EXPECT_EQ(menu("MenuItemEdit")->title(), q(u"編輯(&E)"));
    EXPECT_EQ(item("MenuItemDelete")->text(), q(u"移除(&D)"));
    EXPECT_EQ(item("Delete2")->text(), q(u"移除當前記錄(&D)"));
    EXPECT_EQ(item("MenuItemEditPaste")->text(), q(u"貼上(&P)"));
    EXPECT_EQ(component<QToolButton>("ToolButtonSave")->toolTip(), q(u"儲存目前編輯程式中的詞條"));
    EXPECT_EQ(m_window->editor().title(3), u"漢義");
    for (const char* name : {"MenuItemToEditor", "MenuItemFromEditor", "MenuItemFromDict"})
        EXPECT_EQ(item(name)->text(), QString::fromStdU16String(MainWindowFormTexts().textOf(
                                          name, CaptionProperty::Caption)))
            << name;
    EXPECT_EQ(menu("MenuItemExport")->title(), q(u"导出到文本文件(&E)"));
}

TEST_F(WindowTest, ApplicationTitleStaysWhenTheCaptionChanges)
{
    start("lang_en.ini");
    // What Close does to the caption: the application's title keeps the set's text, and the
    // window shows exactly its own caption.
    m_window->prompts().setCaption(CaptionAfterClose(InterfaceLanguage::English));
    EXPECT_EQ(m_window->windowTitle(), "Costom Dictionary Utility");
    EXPECT_EQ(TCustomDictForm::applicationTitle(), "Custom Dictionary Utility");
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
}

} // namespace
} // namespace kelvara
