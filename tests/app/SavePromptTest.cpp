#include "app/Save.h"

#include "WindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvara {
namespace {

QPushButton* button(TSaveDlg& d, const char* name)
{
    return d.findChild<QPushButton*>(name);
}

TEST(SavePromptTest, TextsFollowTheLanguageOnEveryShow)
{
    struct Case
    {
        InterfaceLanguage language;
        const char16_t* title;
        const char16_t* question;
        const char16_t* yes;
    };
    const Case cases[] = {
        {InterfaceLanguage::Simplified, u"用户词典维护", u"词典内容已被修改,是否保存？", u"是(&Y)"},
        {InterfaceLanguage::Traditional, u"用戶詞典維護", u"詞典內容已被修改,是否保存﹖",
         u"是(&Y)"},
        {InterfaceLanguage::English, u"Custom Dictioanry Utility",
         u"The custom dictionary has changed.\n\rDo you want to save the changes?", u"&Yes"},
    };
    for (const Case& c : cases) {
        TSaveDlg dialog(c.language);
        // Before the first show the form's own texts stand; they are never seen.
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf16(u"Kelvara智能翻译平台 - 用户词库维护"));
        ModalAnswer<TSaveDlg> answer([&c](TSaveDlg& d) {
            EXPECT_EQ(d.windowTitle(), QString::fromUtf16(c.title));
            EXPECT_EQ(d.findChild<QLabel*>("Label1")->text(), QString::fromUtf16(c.question));
            EXPECT_EQ(button(d, "OKBtn")->text(), QString::fromUtf16(c.yes));
            button(d, "NoBtn")->click();
        });
        EXPECT_EQ(dialog.ask(), SavePromptAnswer::No);
        EXPECT_TRUE(answer.answered());
    }
}

TEST(SavePromptTest, EachButtonGivesItsAnswer)
{
    struct Case
    {
        const char* button;
        SavePromptAnswer answer;
    };
    for (const Case& c : {Case{"OKBtn", SavePromptAnswer::Yes}, Case{"NoBtn", SavePromptAnswer::No},
                          Case{"CancalBtn", SavePromptAnswer::Cancel}}) {
        TSaveDlg dialog(InterfaceLanguage::English);
        ModalAnswer<TSaveDlg> answer([&c](TSaveDlg& d) { button(d, c.button)->click(); });
        EXPECT_EQ(dialog.ask(), c.answer) << c.button;
    }
}

TEST(SavePromptTest, YesIsTheDefaultWithTheFocusAndEscIsCancel)
{
    TSaveDlg dialog(InterfaceLanguage::English);
    ModalAnswer<TSaveDlg> first([](TSaveDlg& d) {
        EXPECT_TRUE(button(d, "OKBtn")->isDefault());
        EXPECT_EQ(d.focusWidget(), button(d, "OKBtn"));
        QTest::keyClick(&d, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ask(), SavePromptAnswer::Yes);
    ModalAnswer<TSaveDlg> second([](TSaveDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(dialog.ask(), SavePromptAnswer::Cancel);
    ModalAnswer<TSaveDlg> third([](TSaveDlg& d) { d.close(); }); // the title bar's close
    EXPECT_EQ(dialog.ask(), SavePromptAnswer::Cancel);
    EXPECT_EQ(dialog.size(), QSize(321, 86));
}

} // namespace
} // namespace kelvara
