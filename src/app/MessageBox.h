#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace kelvara {

/// Shows a modal message box with one OK button, as the platform's message boxes are: the
/// text is plain and static, never shown selected and not selectable (the style's default
/// would make it selectable, and a focused selectable label shows it highlighted).
void ShowMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                    QWidget* parent);

} // namespace kelvara
