#pragma once

#include "platform/Components.h"

#include <QDialog>

class QPushButton;

namespace kelvara {

/// The About box: the product line, the maker and contact lines, a picture and an OK button.
/// Its texts are the same in every interface language.
class TAboutForm : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    const ComponentList& components() const { return m_components; }
    QPushButton* okButton() const { return m_ok; }

private:
    ComponentList m_components;
    QPushButton* m_ok = nullptr;
};

} // namespace kelvara
