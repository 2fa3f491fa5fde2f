#include "flatmenu/qt/QtFlatForms.h"

#include "flatmenu/FlatPainter.h"
#include "flatmenu/qt/QtMenuModel.h"
#include "flatmenu/qt/QtPopupFrame.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QWidget>

namespace kelvara {

FlatForms* FlatForms::instance()
{
    static QPointer<FlatForms> forms;
    if (!forms && qApp)
        forms = new FlatForms(qApp);
    return forms;
}

FlatForms::FlatForms(QObject* parent) : QObject(parent)
{
    TFlatPainterManager::setScreen(this);
}

FlatForms::~FlatForms()
{
    if (TFlatPainterManager::screen() == this)
        TFlatPainterManager::setScreen(nullptr);
}

FlatHost* FlatForms::hostOf(const QWidget* form)
{
    FlatForms* self = instance();
    if (!self || !form)
        return nullptr;
    for (const auto& e : self->m_forms) {
        if (e->form == form)
            return e->host;
    }
    return nullptr;
}

void FlatForms::Announce(QWidget* form, const ComponentList& components)
{
    FlatForms* self = instance();
    if (!self || !form)
        return;
    FlatHost* host = hostOf(form);
    Entry* announced = nullptr;
    for (const auto& e : self->m_forms) {
        if (e->form == form && e->owned)
            announced = e.get();
    }
    if (announced) {
        announced->components = components;
        announced->owned->watchComponents();
    } else if (!host) {
        auto entry = std::make_unique<Entry>();
        entry->form = form;
        entry->components = components;
        entry->owned = std::make_unique<QtFlatHost>(form, entry->components);
        entry->owned->watchComponents();
        entry->host = entry->owned.get();
        host = entry->host;
        self->m_forms.push_back(std::move(entry));
        connect(form, &QObject::destroyed, self,
                [self, form] { self->forget(static_cast<const void*>(form)); });
    }
    if (TFlatPainterManager* manager = TFlatPainterManager::instance())
        manager->FormNotification(host, TOperation::opInsert);
    self->scheduleHook();
}

void FlatForms::addPainterForm(QWidget* form, FlatHost* host)
{
    auto entry = std::make_unique<Entry>();
    entry->form = form;
    entry->host = host;
    m_forms.push_back(std::move(entry));
    if (form)
        form->setProperty(kOwnsFlatPainterProperty, true);
}

void FlatForms::removePainterForm(FlatHost* host)
{
    for (auto it = m_forms.begin(); it != m_forms.end(); ++it) {
        if ((*it)->host == host && !(*it)->owned) {
            if ((*it)->form)
                (*it)->form->setProperty(kOwnsFlatPainterProperty, QVariant());
            m_forms.erase(it);
            return;
        }
    }
}

void FlatForms::forget(const void* form)
{
    for (auto it = m_forms.begin(); it != m_forms.end(); ++it) {
        // The guard is already clear: the entry is found by its host's form pointer.
        if ((*it)->owned && (*it)->owned->formPointer() == form) {
            if (TFlatPainterManager* manager = TFlatPainterManager::instance())
                manager->FormNotification((*it)->host, TOperation::opRemove);
            (*it)->owned->setTearingDown();
            m_forms.erase(it);
            return;
        }
    }
}

std::vector<FlatHost*> FlatForms::forms()
{
    // Asked when the manager queues the screen's forms for the look, which they get from
    // the hook.
    scheduleHook();
    std::vector<FlatHost*> out;
    for (const auto& e : m_forms) {
        if (e->form)
            out.push_back(e->host);
    }
    return out;
}

bool FlatForms::hasMainForm() const
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget* w : windows) {
        if (qobject_cast<const QMainWindow*>(w))
            return true;
    }
    return false;
}

PopupWindow* FlatForms::popupWindow(void* window)
{
    return QtPopupWindow::of(qobject_cast<QMenu*>(static_cast<QObject*>(window)));
}

PopupWindow* FlatForms::windowFromPoint(Point screen)
{
    QWidget* w = QApplication::widgetAt(QPoint(screen.x, screen.y));
    return w ? QtPopupWindow::of(qobject_cast<QMenu*>(w->window())) : nullptr;
}

Rect FlatForms::menuItemRect(MenuItem& item)
{
    auto* qt = dynamic_cast<QtMenuItem*>(&item);
    QAction* action = qt ? qt->action() : nullptr;
    if (!action)
        return {};
    for (QObject* o : action->associatedObjects()) {
        auto* menu = qobject_cast<QMenu*>(o);
        if (!menu || !menu->isVisible())
            continue;
        const QRect r = menu->actionGeometry(action).translated(menu->mapToGlobal(QPoint(0, 0)));
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    return {};
}

void FlatForms::postWindow(bool rightToLeft, void* window)
{
    ++m_pendingRequests;
    QCoreApplication::postEvent(this, new FlatFrameEvent(kFlatFrameWindowEvent, rightToLeft ? 1 : 0,
                                                         static_cast<QWidget*>(window)));
}

void FlatForms::postItem(MenuItem* item)
{
    ++m_pendingRequests;
    QCoreApplication::postEvent(
        this, new FlatFrameEvent(kFlatFrameItemEvent, 0, dynamic_cast<QObject*>(item)));
}

void FlatForms::scheduleHook()
{
    if (m_hookScheduled)
        return;
    m_hookScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_hookScheduled = false;
            runHook(ControlMessage{});
        },
        Qt::QueuedConnection);
}

void FlatForms::runHook(const ControlMessage& message)
{
    if (TFlatPainterManager* manager = TFlatPainterManager::instance())
        manager->HookProc(message);
}

void FlatForms::customEvent(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != kFlatFrameItemEvent && type != kFlatFrameWindowEvent) {
        QObject::customEvent(event);
        return;
    }
    const auto* request = static_cast<FlatFrameEvent*>(event);
    ControlMessage message{static_cast<unsigned>(type), request->first, 0, 0};
    QObject* target = request->second;
    if (type == kFlatFrameItemEvent)
        message.lParam = reinterpret_cast<std::intptr_t>(dynamic_cast<MenuItem*>(target));
    else
        message.lParam = reinterpret_cast<std::intptr_t>(static_cast<void*>(target));
    runHook(message);
    // Counted out only now: a frame painted for the request makes the items ask again.
    --m_pendingRequests;
}

} // namespace kelvara
