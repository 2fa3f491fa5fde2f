#pragma once

#include "access/AccessPrompts.h"
#include "lang/Language.h"
#include "platform/Components.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace kelvara {

/// The save prompt: asks whether to write the edits before they would be dropped. Created at
/// start and hidden between uses; its texts follow the interface language on every show.
class TSaveDlg : public QDialog
{
    Q_OBJECT
public:
    /// The dialog results of the three answers (the platform's Yes, No and Cancel codes).
    static constexpr int kResultYes = 6;
    static constexpr int kResultNo = 7;
    static constexpr int kResultCancel = 2;

    explicit TSaveDlg(InterfaceLanguage language, QWidget* parent = nullptr);

    /// Shows the prompt modally and answers with the button chosen; the title bar and Esc
    /// answer Cancel.
    SavePromptAnswer ask();

    InterfaceLanguage language() const { return m_language; }
    const ComponentList& components() const { return m_components; }

    /// Closing from the title bar (and every other rejection) answers Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void applyTexts(bool formTexts);

    InterfaceLanguage m_language;
    ComponentList m_components;
    QLabel* m_image = nullptr;
    QLabel* m_question = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace kelvara
