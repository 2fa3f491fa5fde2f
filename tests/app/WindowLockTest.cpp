// The utility never opens a dictionary file itself, its file dialogs included: a second
// descriptor on a file, once closed, drops every POSIX lock the process holds on it, and
// with the engine's SQLite locks gone another program deletes the log the engine still
// writes to. Here the real E-C engine holds the dictionary while every file dialog of the
// window is shown on the engine folder; the locks must still be there afterwards, and a
// second program writing meanwhile must lose nothing, nor make the utility lose anything.

#include "WindowFixture.h"

#include "engines/EngineAbi.h"

#include <QFileSystemModel>
#include <QProcess>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

// The POSIX locks this process holds on the file with that inode, as the kernel lists them.
int locksHeldOn(ino_t inode)
{
    std::ifstream locks("/proc/locks");
    const std::string pid = std::to_string(getpid());
    const std::string inodeSuffix = ':' + std::to_string(inode);
    int count = 0;
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string number, kind, advisory, access, owner, device;
        fields >> number >> kind;
        if (kind == "->") // a waiter, not a lock held
            continue;
        fields >> advisory >> access >> owner >> device;
        if (kind == "POSIX" && owner == pid && device.size() > inodeSuffix.size() &&
            device.compare(device.size() - inodeSuffix.size(), inodeSuffix.size(), inodeSuffix) ==
                0)
            ++count;
    }
    return count;
}

ino_t inodeOf(const fs::path& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// The real window over the reference E-C engine alone, shown.
class WindowLockTest : public WindowFixture<TCustomDictForm>
{
protected:
    void SetUp() override
    {
        layOut({"lang_en.ini", KELVARA_EC_LIBRARY, ""});
        build();
        showWindow();
        ASSERT_TRUE(m_window->startup().ec.available());
    }

    fs::path engineLibrary() const { return m_folder.path() / "ArticleS" / "Ecbank.dll"; }
    std::string basePath() const { return (m_folder.path() / "ArticleS" / "UserS").string(); }

    // Writes one entry through the engine the window loaded: the same library instance and
    // connection as the utility's own saves.
    bool writeThroughWindowEngine(const char* word)
    {
        void* library = dlopen(engineLibrary().c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!library)
            return false;
        auto open = reinterpret_cast<abi::OpenCstmRwFn>(dlsym(library, "open_cstm_RW"));
        auto modify = reinterpret_cast<abi::ModifyWordFn>(dlsym(library, "ModifyWord"));
        auto close = reinterpret_cast<abi::CloseCstmRwFn>(dlsym(library, "close_cstm_RW"));
        bool ok = open && modify && close && open(basePath().c_str()) == 1;
        ok = ok && modify('A', word, 0, "utility") == 1;
        ok = ok && close() == 1;
        dlclose(library); // only the reference taken here
        return ok;
    }

    // Runs the second program; its output lines, one per word, joined by "; ".
    std::string secondProcess(const char* mode, const QStringList& words, int* exitCode)
    {
        QProcess process;
        process.start(QStringLiteral(KELVARA_EC_SECOND_PROCESS),
                      QStringList{QString::fromLatin1(mode),
                                  QString::fromStdString(engineLibrary()),
                                  QString::fromStdString(basePath())} +
                          words);
        EXPECT_TRUE(process.waitForFinished(30000));
        *exitCode = process.exitCode();
        return QString::fromLocal8Bit(process.readAllStandardOutput())
            .split('\n', Qt::SkipEmptyParts)
            .join(QStringLiteral("; "))
            .toStdString();
    }

    // Shows a dialog on the engine folder until its model has read the folder and every row
    // has been asked for its icon and type, as the view does when it paints; then closes it.
    void showAndClose(LazyFileDialog* lazy)
    {
        QFileDialog* dialog = lazy->dialog();
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr) << lazy->objectName().toStdString();
        const QString folder = QString::fromStdString((m_folder.path() / "ArticleS").string());
        // The model reads every file of the folder, listed or not; listing them all makes the
        // view ask for each one's icon and type as well.
        dialog->setNameFilter(QStringLiteral("*"));
        dialog->setDirectory(folder);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        const QModelIndex root = model->index(folder);
        for (int wait = 0; wait < 200 && model->rowCount(root) < 3; ++wait)
            QTest::qWait(25);
        ASSERT_GE(model->rowCount(root), 3) << "the dictionary, its log and the engine";
        for (int row = 0; row < model->rowCount(root); ++row) {
            model->data(model->index(row, 0, root), Qt::DecorationRole);
            model->data(model->index(row, 2, root), Qt::DisplayRole);
        }
        QTest::qWait(200); // lets the model's own fetches and repaints run
        dialog->reject();
        QCoreApplication::processEvents();
    }

    LazyFileDialog* dialog(const char* name) const { return component<LazyFileDialog>(name); }
};

TEST_F(WindowLockTest, DialogsLeaveTheEngineLocksAndBothProgramsKeepTheirEntries)
{
    // Start-up builds no file dialog.
    for (const char* name :
         {"OpenDialogDictEc", "OpenDialogDictCe", "OpenDialogTxt", "SaveDialogTxt"}) {
        ASSERT_NE(dialog(name), nullptr) << name;
        EXPECT_FALSE(dialog(name)->isBuilt()) << name;
    }

    QCoreApplication::processEvents();
    m_window->action(Command::FileOpenEc)->trigger();
    QCoreApplication::processEvents();
    ASSERT_TRUE(m_window->dictionary().open);
    ASSERT_TRUE(writeThroughWindowEngine("alpha"));

    const fs::path dictionary = basePath() + ".key";
    const fs::path shared = basePath() + ".key-shm";
    const int heldOnFile = locksHeldOn(inodeOf(dictionary));
    const int heldOnShared = locksHeldOn(inodeOf(shared));
    // The engine keeps its connection between operations, and with it its locks.
    ASSERT_GT(heldOnFile + heldOnShared, 0);

    for (const char* name :
         {"OpenDialogDictEc", "OpenDialogDictCe", "OpenDialogTxt", "SaveDialogTxt"}) {
        SCOPED_TRACE(name);
        showAndClose(dialog(name));
        EXPECT_EQ(locksHeldOn(inodeOf(dictionary)), heldOnFile);
        EXPECT_EQ(locksHeldOn(inodeOf(shared)), heldOnShared);
    }

    // Another program writes and ends while the utility still has the dictionary; then the
    // utility writes again through its connection.
    int exitCode = -1;
    EXPECT_EQ(secondProcess("add", {"beta"}, &exitCode), "stored beta");
    EXPECT_EQ(exitCode, 0);
    ASSERT_TRUE(writeThroughWindowEngine("gamma"));
    // The other program sees the utility's entry and writes once more; without its locks the
    // utility would be writing a log the other program no longer sees, and fold it over the
    // other program's commit at its end.
    EXPECT_EQ(secondProcess("find", {"gamma"}, &exitCode), "found gamma");
    EXPECT_EQ(secondProcess("add", {"delta"}, &exitCode), "stored delta");
    stop(); // unloads the engine, as the end of the program does

    EXPECT_EQ(secondProcess("find", {"alpha", "beta", "gamma", "delta"}, &exitCode),
              "found alpha; found beta; found gamma; found delta");
    EXPECT_EQ(exitCode, 0);
}

} // namespace
} // namespace kelvara
