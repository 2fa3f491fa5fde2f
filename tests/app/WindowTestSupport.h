#pragma once

// Program folders for the main window under test, and a way to answer the modal dialogs the
// window shows.

#include "platform/TestTempFolder.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace kelvara {

/// Which engine libraries a test installation gets in its ArticleS folder.
struct Engines
{
    bool ec = false;
    bool ce = false;
};

/// Lays out an installation: Config/Kelvara.ini naming the language file (none when the
/// value is empty) and the chosen test engines in ArticleS/.
inline void LayOutInstallation(const TestTempFolder& folder, const std::string& languageFile,
                               Engines engines = {})
{
    namespace fs = std::filesystem;
    fs::create_directories(folder.path() / "Config");
    fs::create_directories(folder.path() / "ArticleS");
    std::ofstream ini(folder.path() / "Config" / "Kelvara.ini", std::ios::binary);
    ini << "[Preferences]\r\nChineseType=0\r\n";
    if (!languageFile.empty())
        ini << "[UserInterface]\r\nLanguageFileName=" << languageFile << "\r\n";
#ifdef KELVARA_TEST_EC_COMPLETE
    if (engines.ec)
        fs::copy_file(KELVARA_TEST_EC_COMPLETE, folder.path() / "ArticleS" / "Ecbank.dll");
#endif
#ifdef KELVARA_TEST_CE_COMPLETE
    if (engines.ce)
        fs::copy_file(KELVARA_TEST_CE_COMPLETE, folder.path() / "ArticleS" / "Hanbank.dll");
#endif
    (void)engines;
}

/// Runs answer on the next modal dialog of type Dialog once it is shown (polling the event
/// loop, so it works for dialogs opened by exec()). Records whether it ran.
template <typename Dialog> class ModalAnswer
{
public:
    explicit ModalAnswer(std::function<void(Dialog&)> answer) : m_answer(std::move(answer))
    {
        poll();
    }
    bool answered() const { return m_answered; }

private:
    void poll()
    {
        QTimer::singleShot(5, &m_guard, [this] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->isVisible()) {
                m_answered = true;
                m_answer(*dialog);
                return;
            }
            if (++m_tries < 400)
                poll();
        });
    }

    QObject m_guard; // ends the polling when the answer goes away
    std::function<void(Dialog&)> m_answer;
    bool m_answered = false;
    int m_tries = 0;
};

} // namespace kelvara
