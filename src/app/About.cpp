#include "app/About.h"

#include "app/ImageList.h"
#include "lang/Captions.h"
#include "platform/qt/QtFormLook.h"

#include <QLabel>
#include <QPushButton>

namespace kelvara {

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent), m_components(kAboutFormName)
{
    setObjectName(kAboutFormName);
    setModal(true);
    setFixedSize(372, 225);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const CaptionTable texts = AboutTexts();
    auto text = [&texts](const char* control, CaptionProperty property) {
        return QString::fromStdU16String(texts.textOf(control, property));
    };
    setWindowTitle(text(kAboutFormName, CaptionProperty::Title));

    auto* product = new QLabel(text("LabelProduct", CaptionProperty::Caption), this);
    product->setObjectName(QStringLiteral("LabelProduct"));
    product->setFont(QtFormFont(FormFont::AboutProduct));
    product->setGeometry(16, 16, 290, 20);
    m_components.add("LabelProduct", product);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(ImageList::aboutPicture());
    picture->setGeometry(372 - 16 - 41, 12, 41, 41);
    m_components.add("Image1", picture);

    static constexpr const char* kMakerLines[] = {"LabelMaker1", "LabelMaker2", "LabelMaker3",
                                                  "LabelMaker4", "LabelMaker5", "LabelMaker6"};
    int top = 52;
    for (const char* name : kMakerLines) {
        auto* line = new QLabel(text(name, CaptionProperty::Caption), this);
        line->setObjectName(QString::fromLatin1(name));
        line->setGeometry(16, top, 290, 18);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_components.add(name, line);
        top += 22;
    }

    m_ok = new QPushButton(text("ButtonOK", CaptionProperty::Caption), this);
    m_ok->setObjectName(QStringLiteral("ButtonOK"));
    m_ok->setGeometry(372 - 16 - 75, 225 - 12 - 25, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    m_components.add("ButtonOK", m_ok);
}

} // namespace kelvara
