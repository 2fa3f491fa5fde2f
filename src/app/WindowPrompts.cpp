#include "app/WindowPrompts.h"

#include "app/FileDialogs.h"
#include "app/MessageBox.h"
#include "lang/WindowTexts.h"

#include <QCoreApplication>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>

namespace kelvara {

namespace {

QString applicationTitle()
{
    return QCoreApplication::applicationName();
}

QString fromFileSystem(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

WindowPrompts::WindowPrompts(QMainWindow& window, InterfaceLanguage language,
                             WindowFileDialogs dialogs, std::function<bool()> querySave,
                             std::function<void()> stateChanged)
    : m_window(window), m_language(language), m_dialogs(dialogs), m_querySave(std::move(querySave)),
      m_stateChanged(std::move(stateChanged))
{}

WindowPrompts::~WindowPrompts() = default;

void WindowPrompts::setGrid(QWidget* grid, QWidget* typeCombo)
{
    m_grid = grid;
    m_typeCombo = typeCombo;
}

void WindowPrompts::endProgress()
{
    m_progress.reset();
}

std::optional<std::string> WindowPrompts::runFileDialog(LazyFileDialog* lazy)
{
    QFileDialog* dialog = lazy->dialog();
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog->selectedFiles().constFirst()).toStdString();
}

// ---- what the dictionary access asks

std::optional<std::string> WindowPrompts::chooseEcDictionary(const std::string& initialFolder,
                                                             const std::string& fileName)
{
    if (!initialFolder.empty())
        m_dialogs.openDictEc->setDirectory(fromFileSystem(initialFolder));
    m_dialogs.openDictEc->dialog()->selectFile(fromFileSystem(fileName));
    return runFileDialog(m_dialogs.openDictEc);
}

std::optional<std::string> WindowPrompts::chooseCeDictionary(const std::string& initialFolder)
{
    if (!initialFolder.empty())
        m_dialogs.openDictCe->setDirectory(fromFileSystem(initialFolder));
    std::optional<std::string> chosen = runFileDialog(m_dialogs.openDictCe);
    if (chosen)
        m_ceDialogFileName = *chosen;
    return chosen;
}

void WindowPrompts::showInformation(const std::u16string& text, const std::u16string& title)
{
    ShowMessageBox(QMessageBox::Information,
                   title.empty() ? applicationTitle() : QString::fromStdU16String(title),
                   QString::fromStdU16String(text), &m_window);
}

bool WindowPrompts::showSummaryOfferingSave(const std::u16string& text,
                                            const std::u16string& saveCaption)
{
    QMessageBox box(QMessageBox::Information, applicationTitle(), QString::fromStdU16String(text),
                    QMessageBox::Ok, &m_window);
    QPushButton* save =
        box.addButton(QString::fromStdU16String(saveCaption), QMessageBox::ActionRole);
    save->setObjectName(QStringLiteral("SaveRejects"));
    box.exec();
    return box.clickedButton() == save;
}

void WindowPrompts::setCaption(const std::u16string& caption)
{
    m_window.setWindowTitle(QString::fromStdU16String(caption));
}

void WindowPrompts::setCaptionToPath(const std::string& path)
{
    m_window.setWindowTitle(fromFileSystem(path));
}

void WindowPrompts::setGridVisible(bool visible)
{
    if (m_grid)
        m_grid->setVisible(visible);
    m_stateChanged();
}

void WindowPrompts::setTypeComboVisible(bool visible)
{
    if (m_typeCombo)
        m_typeCombo->setVisible(visible);
}

// ---- what the import and export commands ask

std::optional<std::string> WindowPrompts::chooseImportFile()
{
    return runFileDialog(m_dialogs.openTxt);
}

std::optional<std::string> WindowPrompts::chooseExportFile()
{
    return runFileDialog(m_dialogs.saveTxt);
}

bool WindowPrompts::confirmOverwrite(const std::string& path)
{
    // SaveDialogTxt asked before it let an existing file be chosen.
    (void)path;
    return true;
}

bool WindowPrompts::confirmCeDictionary()
{
    if (!m_ceDialogFileName.empty())
        return true;
    // The chosen file is not used: the C-E engine works on its own folder.
    std::optional<std::string> chosen = runFileDialog(m_dialogs.openDictCe);
    if (!chosen)
        return false;
    m_ceDialogFileName = *chosen;
    return true;
}

bool WindowPrompts::progress(const TextProgress& p)
{
    constexpr int kSteps = 1000;
    if (!m_progress) {
        m_progress = std::make_unique<QProgressDialog>(&m_window);
        m_progress->setObjectName(QStringLiteral("ProgressText"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setWindowTitle(applicationTitle());
        m_progress->setCancelButtonText(
            QString::fromStdU16String(ProgressCancelCaption(m_language)));
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setMinimumDuration(500);
        m_progress->setRange(0, kSteps);
        m_progress->setValue(0);
    }
    if (p.workTotal == 0) {
        m_progress->setRange(0, 0); // how far it is cannot be told: a busy bar
    } else {
        m_progress->setRange(0, kSteps);
        const std::uint64_t done = std::min(p.workDone, p.workTotal);
        m_progress->setValue(static_cast<int>(done * kSteps / p.workTotal));
    }
    m_progress->setLabelText(QString::fromStdU16String(RecordsDoneLabel(m_language, p.records)));
    QCoreApplication::processEvents();
    return !m_progress->wasCanceled();
}

} // namespace kelvara
