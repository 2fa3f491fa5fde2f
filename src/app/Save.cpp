#include "app/Save.h"

#include "app/ImageList.h"
#include "lang/Captions.h"
#include "platform/qt/QtFormLook.h"

#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPolygonF>
#include <QPushButton>

namespace kelvara {

namespace {

enum class ButtonGlyph { Yes, No, Cancel };

// The three answers' glyphs, drawn in code like the tool bar's images: a green check for Yes,
// a red barred circle for No, a red cross for Cancel, on a transparent 16 x 16 ground (side
// 32 draws the same figures twice as large, for screens scaled 2x).
QPixmap buttonGlyph(ButtonGlyph glyph, int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 16.0, side / 16.0);
    switch (glyph) {
    case ButtonGlyph::Yes:
        painter.setPen(QPen(QtFormColor(FormColor::kYesGlyph), 2.5, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case ButtonGlyph::No:
        painter.setPen(QPen(QtFormColor(FormColor::kNoGlyph), 2));
        painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        painter.drawLine(QPointF(4.5, 11.5), QPointF(11.5, 4.5));
        break;
    case ButtonGlyph::Cancel:
        painter.setPen(QPen(QtFormColor(FormColor::kNoGlyph), 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    return pixmap;
}

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
    setFont(QtFormFont(FormFont::SaveDialog));

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(12, 10, 32, 32);
    m_image->setPixmap(ImageList::promptPicture());

    m_question = new QLabel(this);
    m_question->setObjectName(QStringLiteral("Label1"));
    m_question->setGeometry(52, 4, 265, 46);
    m_question->setWordWrap(true);
    m_question->setTextFormat(Qt::PlainText);
    // The question has a font of its own, not the bold dialog font.
    m_question->setFont(QtFormFont(FormFont::SaveQuestion));

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
    // Bitmap buttons: the flat painter draws them with their glyphs.
    const std::pair<QPushButton*, ButtonGlyph> glyphs[] = {
        {m_yes, ButtonGlyph::Yes}, {m_no, ButtonGlyph::No}, {m_cancel, ButtonGlyph::Cancel}};
    for (const auto& [button, glyph] : glyphs) {
        button->setProperty("className", QStringLiteral("TBitBtn"));
        QIcon icon(buttonGlyph(glyph, 16));
        icon.addPixmap(buttonGlyph(glyph, 32));
        button->setIcon(icon);
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

} // namespace kelvara
