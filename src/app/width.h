#pragma once

#include "lang/Language.h"
#include "platform/Components.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvara {

/// The column-width dialog: one number field and OK / Cancel. Neither button is the default
/// or the cancel button, so Enter and Esc leave it open; its texts follow the interface
/// language on every show.
class TColWidthDlg : public QDialog
{
    Q_OBJECT
public:
    /// The dialog results of its two buttons.
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    explicit TColWidthDlg(InterfaceLanguage language, QWidget* parent = nullptr);

    /// The number field the width command fills and reads.
    QLineEdit* Edit1() const { return m_edit; }
    InterfaceLanguage language() const { return m_language; }
    const ComponentList& components() const { return m_components; }

    /// The close box answers Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void Button1Click();
    void Button2Click();

    InterfaceLanguage m_language;
    ComponentList m_components;
    QLabel* m_label = nullptr;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace kelvara
