#pragma once

#include <QObject>

class QPalette;

namespace kelvara {

/// Fills the system colour table from a palette (active group), role by role:
///   clBtnFace <- Button, clBtnShadow <- Dark, clBtnHighlight <- Light, cl3DDkShadow <- Shadow,
///   cl3DLight <- Midlight, clBtnText <- ButtonText, clHighlight <- Highlight,
///   clHighlightText <- HighlightedText, clWindow <- Base, clWindowText <- Text,
///   clMenu <- Window, clMenuText <- WindowText, clGrayText <- Text of the disabled group,
///   clInfoBk <- ToolTipBase, clInfoText <- ToolTipText.
/// Qt has no role for the caption, border, desktop, workspace and scroll-bar colours
/// (clInactiveCaption among them): those keep their classic values.
void LoadSystemColors(const QPalette& palette);

/// The desktop's menu font into SystemMenuFont (family and pixel height).
void LoadSystemMenuFont();

/// Keeps the system colour table in step with the application palette: it loads it once and
/// again on every palette change, then emits systemColorsChanged.
class SystemColorTracker : public QObject
{
    Q_OBJECT
public:
    /// The tracker of the running application (created on first use, after QApplication).
    static SystemColorTracker* instance();

signals:
    /// The table was reloaded; painters recompute their palettes at their next paint.
    void systemColorsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SystemColorTracker(QObject* parent);
};

} // namespace kelvara
