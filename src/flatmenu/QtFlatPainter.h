#pragma once

#include "flatmenu/FlatPainter.h"
#include "flatmenu/QtMenuModel.h"

#include <QObject>

#include <memory>

class QWidget;

namespace kelvara {

/// A TFlatPainter as a component of a Qt form: it sees the form through its component list,
/// makes sure the window-layer fonts and the system colours are loaded, and marks the
/// palette stale when the desktop's colours change. Destroy it before the form's menus go.
class QtFlatPainter : public QObject
{
    Q_OBJECT
public:
    QtFlatPainter(QWidget* form, const ComponentList& components,
                  const QString& name = QStringLiteral("FlatPainter1"));
    ~QtFlatPainter() override;

    TFlatPainter& painter() { return *m_painter; }
    QtFlatHost& host() { return *m_host; }

private:
    std::unique_ptr<QtFlatHost> m_host;
    std::unique_ptr<TFlatPainter> m_painter;
};

} // namespace kelvara
