#include "app/width.h"

#include "lang/Captions.h"
#include "platform/qt/QtFormLook.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kelvara {

TColWidthDlg::TColWidthDlg(InterfaceLanguage language, QWidget* parent)
    : QDialog(parent), m_language(language), m_components(kColumnWidthFormName)
{
    setObjectName(kColumnWidthFormName);
    setModal(true);
    setFixedSize(158, 71);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(QtFormFont(FormFont::WidthDialog));

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setGeometry(8, 12, 60, 16);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setGeometry(72, 9, 78, 21);
    m_label->setBuddy(m_edit);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setGeometry(8, 40, 68, 24);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    m_cancel->setGeometry(82, 40, 68, 24);
    for (QPushButton* button : {m_ok, m_cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(m_ok, &QPushButton::clicked, this, &TColWidthDlg::Button1Click);
    connect(m_cancel, &QPushButton::clicked, this, &TColWidthDlg::Button2Click);

    for (QObject* object : std::initializer_list<QObject*>{m_label, m_edit, m_ok, m_cancel})
        m_components.add(object->objectName().toStdString(), object);

    // The form's own texts are the Simplified set; every show replaces them.
    const CaptionTable table = ColumnWidthCaptions(InterfaceLanguage::Simplified);
    setWindowTitle(
        QString::fromStdU16String(table.textOf(kColumnWidthFormName, CaptionProperty::Title)));
}

void TColWidthDlg::reject()
{
    done(kResultCancel);
}

void TColWidthDlg::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TColWidthDlg::keyPressEvent(QKeyEvent* event)
{
    // Neither button is the default or the cancel button: Enter and Esc do not close it.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TColWidthDlg::FormShow()
{
    const CaptionTable table = ColumnWidthCaptions(m_language);
    auto text = [&table](const char* control, CaptionProperty property) {
        return QString::fromStdU16String(table.textOf(control, property));
    };
    setWindowTitle(text(kColumnWidthFormName, CaptionProperty::Title));
    m_ok->setText(text("Button1", CaptionProperty::Caption));
    m_cancel->setText(text("Button2", CaptionProperty::Caption));
    m_label->setText(text("Label1", CaptionProperty::Caption));
}

void TColWidthDlg::Button1Click()
{
    done(kResultOk);
}

void TColWidthDlg::Button2Click()
{
    done(kResultCancel);
}

} // namespace kelvara
