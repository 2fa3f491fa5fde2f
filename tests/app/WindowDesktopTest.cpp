// How the window meets the desktop: Qt's own texts in the interface language, message boxes
// whose text is never shown selected, and the tool bar's ground in the colour the painter
// computes with.

#include "WindowFixture.h"

#include "app/FileDialogs.h"
#include "app/MessageBox.h"
#include "app/ToolkitTranslation.h"
#include "flatmenu/qt/QtFlatControl.h"
#include "platform/TestTempFolder.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>

namespace kelvara {
namespace {

// The text of a message box's OK button as the toolkit gives it now.
QString okButtonText()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("x"),
                    QMessageBox::Ok);
    return box.button(QMessageBox::Ok)->text();
}

QString installedTranslation(InterfaceLanguage language)
{
    return ToolkitTranslation::systemFolder() + QLatin1Char('/') +
           ToolkitTranslation::fileBaseName(language) + QStringLiteral(".qm");
}

// ---- Qt's own texts

TEST(ToolkitTranslationTest, LoadsQtsFileOfTheInterfaceLanguageAndItsButtonTexts)
{
    struct Case
    {
        InterfaceLanguage language;
        const char* file;
        const char16_t* ok;
    };
    for (const Case& c : {Case{InterfaceLanguage::Simplified, "qtbase_zh_CN.qm", u"确定"},
                          Case{InterfaceLanguage::Traditional, "qtbase_zh_TW.qm", u"確定"}}) {
        SCOPED_TRACE(c.file);
        if (!QFile::exists(installedTranslation(c.language))) {
            GTEST_SKIP() << "Qt's translation " << c.file << " is not installed in "
                         << ToolkitTranslation::systemFolder().toStdString()
                         << " (Debian package qt6-translations-l10n)";
        }
        {
            const ToolkitTranslation translation(c.language);
            EXPECT_EQ(QFileInfo(translation.loadedFile()).fileName(), QString::fromLatin1(c.file));
            EXPECT_EQ(okButtonText(), q(c.ok));
        }
        // Gone with its object: the next language starts from the toolkit's English.
        EXPECT_EQ(okButtonText(), QStringLiteral("OK"));
    }
}

TEST(ToolkitTranslationTest, EnglishLoadsNothing)
{
    const ToolkitTranslation translation(InterfaceLanguage::English);
    EXPECT_TRUE(translation.loadedFile().isEmpty());
    EXPECT_EQ(okButtonText(), QStringLiteral("OK"));
}

TEST(ToolkitTranslationTest, MissingFileLeavesTheToolkitInEnglishAndNoOtherFileStandsIn)
{
    TestTempFolder folder;
    const QString path = QString::fromStdString(folder.path().string());
    {
        const ToolkitTranslation translation(InterfaceLanguage::Simplified, path);
        EXPECT_TRUE(translation.loadedFile().isEmpty());
        EXPECT_EQ(okButtonText(), QStringLiteral("OK"));
    }
    // Qt's loader would fall back to "qtbase_zh.qm" and then "qtbase.qm" for a missing
    // "qtbase_zh_CN.qm": a Traditional file under such a name must not speak for Simplified.
    const QString traditional = installedTranslation(InterfaceLanguage::Traditional);
    if (!QFile::exists(traditional))
        GTEST_SKIP() << "no Traditional translation installed to plant";
    for (const char* planted : {"qtbase_zh.qm", "qtbase.qm"}) {
        SCOPED_TRACE(planted);
        ASSERT_TRUE(QFile::copy(traditional, path + QLatin1Char('/') + QLatin1String(planted)));
        const ToolkitTranslation translation(InterfaceLanguage::Simplified, path);
        EXPECT_TRUE(translation.loadedFile().isEmpty());
        EXPECT_EQ(okButtonText(), QStringLiteral("OK"));
    }
}

TEST_F(WindowTest, FileDialogSpeaksTheInterfaceLanguageAndKeepsTheProgramsCaptions)
{
    start("lang_tc.ini", {true, true});
    if (!QFile::exists(installedTranslation(InterfaceLanguage::Traditional)))
        GTEST_SKIP() << "qtbase_zh_TW.qm is not installed";
    const ToolkitTranslation translation(m_window->language());
    QFileDialog* dialog = component<LazyFileDialog>("OpenDialogDictEc")->dialog();
    const QString title = dialog->windowTitle();
    auto* lookIn = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(lookIn, nullptr);
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(lookIn->text(), q(u"尋找於："));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), q(u"取消"));
    EXPECT_EQ(dialog->windowTitle(), title) << "the caption set's title stays";
    EXPECT_EQ(m_window->windowTitle(), q(u"用戶詞典"));
}

// ---- message boxes

TEST_F(WindowTest, MessageBoxesShowTheirTextUnselectedAndSpeakTheLanguage)
{
    start("lang_sc.ini", {true, true});
    const ToolkitTranslation translation(m_window->language());
    const bool translated = !translation.loadedFile().isEmpty();
    showWindow();
    // The window's own message, then the dialogs': each box is looked at while it runs modal.
    const auto look = [&](QMessageBox& box) {
        auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QStringLiteral("<b>not</b> a tag"));
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << "a message is shown as written";
        // Neither the keyboard nor the mouse can select it: Tab keeps to the button, and a
        // double click on a word, which selects it in a selectable label, selects nothing.
        EXPECT_FALSE(label->hasSelectedText());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_FALSE(label->hasFocus());
        QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(6, label->height() / 2));
        EXPECT_FALSE(label->hasSelectedText());
        EXPECT_EQ(label->selectedText(), QString());
        EXPECT_TRUE(box.button(QMessageBox::Ok)->hasFocus());
        if (translated) {
            EXPECT_EQ(box.button(QMessageBox::Ok)->text(), q(u"确定"));
        }
        box.accept();
    };
    {
        ModalAnswer<QMessageBox> answer(look);
        m_window->prompts().showInformation(u"<b>not</b> a tag", u"");
        EXPECT_TRUE(answer.answered());
    }
    {
        ModalAnswer<QMessageBox> answer(look);
        ShowMessageBox(QMessageBox::Critical, QStringLiteral("t"),
                       QStringLiteral("<b>not</b> a tag"), m_window.get());
        EXPECT_TRUE(answer.answered());
    }
}

// ---- the tool bar's ground

TEST_F(WindowTest, ToolBarShowsTheColourThePainterComputesWith)
{
    start("lang_en.ini", {true, true});
    showWindow();
    QCoreApplication::processEvents();
    auto* bar = component<QToolBar>("ToolBar1");
    auto* input = component<QLineEdit>("EditWordInput");
    auto* find = component<QToolButton>("ToolButtonFind");
    const QImage shown = bar->grab().toImage();

    // The input box's parent colour and the tool buttons' ground, as the painter reads them.
    const QtFlatControl edit(input, {});
    const TColor parent = ColorToRGB(edit.parent()->color());
    const QColor parentColour(static_cast<int>(parent & 0xFF), static_cast<int>(parent >> 8 & 0xFF),
                              static_cast<int>(parent >> 16 & 0xFF));
    EXPECT_EQ(parentColour, bar->palette().color(QPalette::Button))
        << "the input box's parent colour is the bar's clBtnFace";

    // Above and below the input box, before the first button and after the last: the bar
    // shows that colour, not a gradient of the style.
    const QRect box = input->geometry();
    const QList<QPoint> probes = {
        {box.center().x(), box.top() - 1},
        {box.center().x(), box.bottom() + 1},
        {box.left() + 3, 0},
        {box.left() + 3, bar->height() - 1},
        {1, bar->height() / 2},
        {find->geometry().center().x(), find->geometry().top() - 1},
        {bar->width() - 2, bar->height() / 2},
    };
    for (const QPoint& p : probes) {
        SCOPED_TRACE(QStringLiteral("at %1,%2").arg(p.x()).arg(p.y()).toStdString());
        EXPECT_EQ(shown.pixelColor(p), parentColour);
    }
}

} // namespace
} // namespace kelvara
