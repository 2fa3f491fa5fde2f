#pragma once

#include "flatmenu/FlatPainter.h"
#include "flatmenu/qt/QtMenuModel.h"

#include <QObject>

#include <memory>

class QWidget;

namespace kelvara {

/// A TFlatPainter as a component of a Qt form: it sees the form through its component list,
/// makes sure the window-layer fonts and the system colours are loaded, and marks the
/// palette stale when the desktop's colours change. It reads the component list until it is
/// destroyed, so the form keeps it in a member declared after that list (it then goes
/// first, while the menus still exist), not as a child object.
class QtFlatPainter : public QObject
{
    Q_OBJECT
public:
    QtFlatPainter(QWidget* form, const ComponentList& components,
                  const QString& name = QStringLiteral("FlatPainter1"), QObject* parent = nullptr);
    ~QtFlatPainter() override;

    TFlatPainter& painter() { return *m_painter; }
    QtFlatHost& host() { return *m_host; }

private:
    std::unique_ptr<QtFlatHost> m_host;
    std::unique_ptr<TFlatPainter> m_painter;
};

} // namespace kelvara
