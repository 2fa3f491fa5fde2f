#include "app/FileDialogs.h"

#include "app/MessageBox.h"
#include "lang/WindowTexts.h"

#include <QFileInfo>
#include <QMessageBox>

namespace kelvara {

// ---- NameOnlyIconProvider

NameOnlyIconProvider::NameOnlyIconProvider()
{
    // A folder's own icon would be read from a file inside it.
    setOptions(DontUseCustomDirectoryIcons);
}

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const
{
    return QFileIconProvider::icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const
{
    if (info.isDir())
        return QFileDialog::tr("Folder");
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return QFileDialog::tr("File");
    return QFileDialog::tr("%1 File").arg(suffix.toUpper());
}

// ---- CheckedFileDialog

CheckedFileDialog::CheckedFileDialog(QWidget* parent) : QFileDialog(parent) {}

void CheckedFileDialog::setFolderMustExist(bool mustExist, InterfaceLanguage language)
{
    m_folderMustExist = mustExist;
    m_language = language;
}

void CheckedFileDialog::accept()
{
    if (m_folderMustExist) {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            // A typed folder name that exists is entered by the base dialog; a name whose
            // folder does not exist would only fail later, when the engine is handed it.
            const QFileInfo chosen(files.constFirst());
            const QString folder = chosen.absolutePath();
            if (!chosen.isDir() && !QFileInfo(folder).isDir()) {
                ShowMessageBox(QMessageBox::Information, windowTitle(),
                               QString::fromStdU16String(
                                   MissingFolderMessage(m_language, folder.toStdU16String())),
                               this);
                return;
            }
        }
    }
    QFileDialog::accept();
}

// ---- LazyFileDialog

LazyFileDialog::LazyFileDialog(const char* name, const Settings& settings, QWidget* parent)
    : QObject(parent), m_parentWidget(parent), m_settings(settings)
{
    setObjectName(QString::fromLatin1(name));
}

LazyFileDialog::~LazyFileDialog()
{
    delete m_dialog;
}

void LazyFileDialog::setTitle(const QString& title)
{
    m_title = title;
    if (m_dialog)
        m_dialog->setWindowTitle(title);
}

void LazyFileDialog::setNameFilters(const QStringList& filters)
{
    m_filters = filters;
    if (m_dialog)
        m_dialog->setNameFilters(filters);
}

void LazyFileDialog::setDirectory(const QString& folder)
{
    m_directory = folder;
    if (m_dialog)
        m_dialog->setDirectory(folder);
}

void LazyFileDialog::setLanguage(InterfaceLanguage language)
{
    m_language = language;
    if (m_dialog)
        m_dialog->setFolderMustExist(m_settings.folderMustExist, language);
}

CheckedFileDialog* LazyFileDialog::dialog()
{
    if (m_dialog)
        return m_dialog;
    auto* dialog = new CheckedFileDialog(m_parentWidget);
    dialog->setObjectName(objectName());
    // The toolkit's own dialog: a native one would read the folder with its own model.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::DontUseCustomDirectoryIcons);
    // The dialog does not own its icon provider: this object keeps it and deletes the
    // dialog first.
    if (!m_icons)
        m_icons = std::make_unique<NameOnlyIconProvider>();
    dialog->setIconProvider(m_icons.get());
    dialog->setAcceptMode(m_settings.acceptMode);
    dialog->setFileMode(m_settings.fileMode);
    dialog->setSizeGripEnabled(true);
    if (!m_settings.defaultSuffix.isEmpty())
        dialog->setDefaultSuffix(m_settings.defaultSuffix); // asks before overwriting anyway
    dialog->setFolderMustExist(m_settings.folderMustExist, m_language);
    if (!m_title.isNull())
        dialog->setWindowTitle(m_title);
    if (!m_filters.isEmpty())
        dialog->setNameFilters(m_filters);
    if (!m_directory.isEmpty())
        dialog->setDirectory(m_directory);
    m_dialog = dialog;
    return dialog;
}

} // namespace kelvara
