#pragma once

#include <QToolBar>

namespace kelvara {

/// A tool bar that shows its own colour, clBtnFace (the palette's button colour), between
/// its buttons, as the platform's flat tool bar does. The Qt style would paint a light
/// gradient there, while the flat painter takes the bar's colour as the parent colour of the
/// input box and as the ground of its buttons: with the bar filled, what the painter computes
/// from is what the user sees.
class SolidToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit SolidToolBar(QWidget* parent = nullptr);

    /// The colour the bar is filled with.
    QColor groundColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kelvara
