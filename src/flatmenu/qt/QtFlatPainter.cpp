#include "flatmenu/qt/QtFlatPainter.h"

#include "flatmenu/qt/QtFlatFonts.h"
#include "flatmenu/qt/QtFlatForms.h"
#include "flatmenu/qt/QtSystemColors.h"

#include <QWidget>

namespace kelvara {

QtFlatPainter::QtFlatPainter(QWidget* form, const ComponentList& components, const QString& name,
                             QObject* parent)
    : QObject(parent)
{
    setObjectName(name);
    RegisterFlatFonts();
    SystemColorTracker* tracker = SystemColorTracker::instance();
    m_host = std::make_unique<QtFlatHost>(form, components);
    m_painter = std::make_unique<TFlatPainter>(m_host.get());
    // The form is known to the manager's screen, and the painter's frame requests go to
    // the application's queue.
    if (FlatForms* forms = FlatForms::instance()) {
        forms->addPainterForm(form, m_host.get());
        m_painter->setFrameRequests(forms);
    }
    if (tracker) {
        connect(tracker, &SystemColorTracker::systemColorsChanged, this, [this] {
            // Storing a colour again marks the palette stale without changing it.
            m_painter->SetColor(m_painter->Color());
            m_host->redrawMenuBar();
        });
    }
}

QtFlatPainter::~QtFlatPainter()
{
    m_host->setTearingDown();
    if (FlatForms* forms = FlatForms::instance())
        forms->removePainterForm(m_host.get());
    m_painter.reset();
    m_host.reset();
}

} // namespace kelvara
