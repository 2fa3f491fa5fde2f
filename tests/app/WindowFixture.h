#pragma once

// The main window under test: an installation in a temporary folder, the window with its
// three dialogs made in the program entry's order, and a save seam that records its calls.

#include "WindowTestSupport.h"
#include "app/About.h"
#include "app/CSMain.h"
#include "app/Save.h"
#include "app/width.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace kelvara {

/// A wide literal as a QString.
inline QString q(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// A window whose save seam records its calls instead of writing a dictionary; it can play
// an engine that refuses the row in line 1, or a dictionary that does not open (a save that
// writes clears the changed flag, one that cannot open leaves it set).
class RecordingWindow : public TCustomDictForm
{
public:
    using TCustomDictForm::TCustomDictForm;
    int saves = 0;
    bool refuseRowOne = false;
    bool openFails = false;

protected:
    void saveOpenDictionary() override
    {
        ++saves;
        if (openFails)
            return;
        if (refuseRowOne)
            editor().setMark(1, "E");
        setChanged(false);
    }
};

class WindowTest : public ::testing::Test
{
protected:
    // The installation, the window and its three dialogs, made in the program entry's order.
    void start(const std::string& languageFile, Engines engines = {})
    {
        LayOutInstallation(m_folder, languageFile, engines);
        m_window = std::make_unique<RecordingWindow>(m_folder.folder());
        m_save = std::make_unique<TSaveDlg>(m_window->language());
        m_width = std::make_unique<TColWidthDlg>(m_window->language());
        m_about = std::make_unique<TAboutForm>();
        m_window->attachDialogs(m_save.get(), m_width.get(), m_about.get());
    }

    void TearDown() override
    {
        m_about.reset();
        m_width.reset();
        m_save.reset();
        m_window.reset();
        // No window of a test outlives it.
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                    std::none_of(QApplication::topLevelWidgets().begin(),
                                 QApplication::topLevelWidgets().end(),
                                 [](QWidget* w) { return w->isVisible(); }));
    }

    template <typename T> T* component(const char* name) const
    {
        const Component* c = m_window->components().find(name);
        return c ? qobject_cast<T*>(static_cast<QObject*>(c->object)) : nullptr;
    }
    QAction* item(const char* name) const { return component<QAction>(name); }
    QMenu* menu(const char* name) const { return component<QMenu>(name); }

    // Lets the coalesced rule update run.
    static void idle() { QCoreApplication::processEvents(); }

    TestTempFolder m_folder;
    std::unique_ptr<RecordingWindow> m_window;
    std::unique_ptr<TSaveDlg> m_save;
    std::unique_ptr<TColWidthDlg> m_width;
    std::unique_ptr<TAboutForm> m_about;
};

} // namespace kelvara
