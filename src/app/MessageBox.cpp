#include "app/MessageBox.h"

namespace kelvara {

void ShowMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                    QWidget* parent)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::NoTextInteraction);
    box.exec();
}

} // namespace kelvara
