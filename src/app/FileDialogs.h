#pragma once

#include "lang/Language.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

namespace kelvara {

/// Icons and type names of files taken from their names alone. The file dialogs' model
/// otherwise opens files to guess their type, and a second descriptor on a dictionary,
/// once closed, drops every lock the engine holds on it in this process.
class NameOnlyIconProvider : public QFileIconProvider
{
public:
    NameOnlyIconProvider();
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

/// A file dialog that can insist on an existing folder: a path typed into a folder that is
/// not there is refused with a message and the dialog stays open.
class CheckedFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    explicit CheckedFileDialog(QWidget* parent = nullptr);

    void setFolderMustExist(bool mustExist, InterfaceLanguage language);
    bool folderMustExist() const { return m_folderMustExist; }

public slots:
    void accept() override;

private:
    bool m_folderMustExist = false;
    InterfaceLanguage m_language = InterfaceLanguage::English;
};

/// One of the window's file dialogs, kept as its settings until it is first needed. Building
/// a file dialog starts a model that reads the folder it points at; that costs start-up time
/// and must not happen while it serves no one.
class LazyFileDialog : public QObject
{
    Q_OBJECT
public:
    /// What the dialog is; the parent widget is the owner of the dialog once built.
    struct Settings
    {
        QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
        QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
        QString defaultSuffix;
        bool folderMustExist = false;
    };

    LazyFileDialog(const char* name, const Settings& settings, QWidget* parent);
    /// Deletes the dialog, if built, before the icon provider its model uses.
    ~LazyFileDialog() override;

    void setTitle(const QString& title);
    void setNameFilters(const QStringList& filters);
    void setDirectory(const QString& folder);
    void setLanguage(InterfaceLanguage language);

    QString title() const { return m_title; }
    QStringList nameFilters() const { return m_filters; }
    QString directory() const { return m_directory; }

    /// Whether the dialog has been built.
    bool isBuilt() const { return !m_dialog.isNull(); }
    /// The dialog, built with every setting on first call.
    CheckedFileDialog* dialog();

private:
    QWidget* m_parentWidget;
    Settings m_settings;
    QString m_title;
    QStringList m_filters;
    QString m_directory;
    InterfaceLanguage m_language = InterfaceLanguage::English;
    std::unique_ptr<NameOnlyIconProvider> m_icons;
    QPointer<CheckedFileDialog> m_dialog;
};

} // namespace kelvara
