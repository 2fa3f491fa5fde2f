#include "app/Save.h"

#include "app/ImageList.h"
#include "lang/Captions.h"

#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kelvara {

namespace {

QString qText(const CaptionTable& table, const char* control, CaptionProperty property)
{
    return QString::fromStdU16String(table.textOf(control, property));
}

} // namespace

TSaveDlg::TSaveDlg(InterfaceLanguage language, QWidget* parent)
    : QDialog(parent), m_language(language), m_components(kSaveFormName)
{
    setObjectName(kSaveFormName);
    setModal(true);
    setFixedSize(321, 86);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPixelSize(11);
    dialogFont.setBold(true);
    setFont(dialogFont);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(12, 10, 32, 32);
    m_image->setPixmap(ImageList::promptPicture());

    m_question = new QLabel(this);
    m_question->setObjectName(QStringLiteral("Label1"));
    m_question->setGeometry(52, 4, 265, 46);
    m_question->setWordWrap(true);
    m_question->setTextFormat(Qt::PlainText);
    QFont questionFont(QString::fromStdU16String(u"宋体"));
    questionFont.setPixelSize(13);
    questionFont.setBold(false); // the question has a font of its own, not the bold dialog font
    m_question->setFont(questionFont);

    m_yes = new QPushButton(this);
    m_yes->setObjectName(QStringLiteral("OKBtn"));
    m_no = new QPushButton(this);
    m_no->setObjectName(QStringLiteral("NoBtn"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("CancalBtn"));
    int left = 45;
    for (QPushButton* button : {m_yes, m_no, m_cancel}) {
        button->setGeometry(left, 55, 75, 25);
        left += 80;
    }
    m_yes->setDefault(true);
    connect(m_yes, &QPushButton::clicked, this, [this] { done(kResultYes); });
    connect(m_no, &QPushButton::clicked, this, [this] { done(kResultNo); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    for (QObject* object :
         std::initializer_list<QObject*>{m_image, m_question, m_yes, m_no, m_cancel})
        m_components.add(object->objectName().toStdString(), object);
    applyTexts(true);
}

SavePromptAnswer TSaveDlg::ask()
{
    switch (exec()) {
    case kResultYes:
        return SavePromptAnswer::Yes;
    case kResultNo:
        return SavePromptAnswer::No;
    default:
        // Only the three buttons and the title bar close the prompt; a result from any other
        // way out keeps the edits (Cancel) rather than dropping them unasked.
        return SavePromptAnswer::Cancel;
    }
}

void TSaveDlg::reject()
{
    done(kResultCancel);
}

void TSaveDlg::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TSaveDlg::keyPressEvent(QKeyEvent* event)
{
    // Both No and Cancel are cancel buttons; Esc presses Cancel, the answer that keeps
    // everything as it was.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSaveDlg::FormShow()
{
    applyTexts(false);
    // Yes has the focus, so Enter answers Yes.
    m_yes->setFocus(Qt::OtherFocusReason);
}

void TSaveDlg::applyTexts(bool formTexts)
{
    const CaptionTable table = formTexts ? SaveDialogFormTexts() : SaveDialogCaptions(m_language);
    setWindowTitle(qText(table, kSaveFormName, CaptionProperty::Title));
    m_question->setText(qText(table, "Label1", CaptionProperty::Caption));
    m_yes->setText(qText(table, "OKBtn", CaptionProperty::Caption));
    m_no->setText(qText(table, "NoBtn", CaptionProperty::Caption));
    m_cancel->setText(qText(table, "CancalBtn", CaptionProperty::Caption));
}

bool QuerySaveChanges(bool changed, const std::function<SavePromptAnswer()>& ask,
                      const std::function<bool()>& save)
{
    if (!changed)
        return true;
    switch (ask()) {
    case SavePromptAnswer::Yes:
        return save ? save() : true;
    case SavePromptAnswer::Cancel:
        return false;
    case SavePromptAnswer::No:
        break;
    }
    return true;
}

} // namespace kelvara
