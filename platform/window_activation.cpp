#include "platform/window_activation.h"

#include <QApplication>
#include <QEvent>
#include <QList>
#include <QPointer>

namespace platform {

namespace {

// Follows which window of the program the user is in, like the original
// "active form": leaving for another program does not change it. A window
// becoming active can then tell where the user came from.
class ActivationTracker final : public QObject {
    Q_OBJECT

public:
    explicit ActivationTracker(QObject* parent) : QObject(parent)
    {
        if (QWidget* active = QApplication::activeWindow())
            m_last = ChainOf(active);
        qApp->installEventFilter(this);
    }

    // For the activation being reported: whether the user came back from
    // another program, and whether the window active before was `window` or
    // one of its dialogs. The chain is taken when a window becomes active,
    // so a message box deleted since still tells whose it was.
    bool hadWindowBefore() const { return !m_previous.isEmpty(); }
    bool cameFromOtherProgram() const { return m_cameBack; }
    bool cameFrom(const QWidget* window) const
    {
        for (const QPointer<QWidget>& w : m_previous) {
            if (w.data() == window)
                return true;
        }
        return false;
    }

signals:
    void WindowActivated(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::WindowActivate && type != QEvent::WindowDeactivate)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->isWindow())
            return false;
        if (type == QEvent::WindowDeactivate) {
            // Qt leaves no window active when the active one is hidden; the
            // user is still in the program then.
            if (!QApplication::activeWindow() && !widget->isHidden())
                m_away = true;
            return false;
        }
        m_previous = m_last;
        m_cameBack = m_away;
        m_last = ChainOf(widget);
        m_away = false;
        emit WindowActivated(widget);
        return false;
    }

private:
    static QList<QPointer<QWidget>> ChainOf(QWidget* widget)
    {
        QList<QPointer<QWidget>> chain;
        for (QWidget* w = widget; w; w = w->parentWidget())
            chain.append(w);
        return chain;
    }

    QList<QPointer<QWidget>> m_last;      // the active window and its owners
    QList<QPointer<QWidget>> m_previous;  // the same before the latest activation
    bool m_away = false;
    bool m_cameBack = false;
};

ActivationTracker& Tracker()
{
    static QPointer<ActivationTracker> tracker;
    if (!tracker)
        tracker = new ActivationTracker(qApp);
    return *tracker;
}

}  // namespace

WindowActivation::WindowActivation(QWidget* window) : QObject(window), m_window(window)
{
    connect(&Tracker(), &ActivationTracker::WindowActivated, this,
            &WindowActivation::OnWindowActivated);
    m_window->installEventFilter(this);
}

bool WindowActivation::IsOwnedBy(const QWidget* widget, const QWidget* window)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == window)
            return true;
    }
    return false;
}

bool WindowActivation::HasOpenDialog(const QWidget* window)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget* w : windows) {
        if (w != window && w->isVisible() && IsOwnedBy(w, window))
            return true;
    }
    return false;
}

bool WindowActivation::eventFilter(QObject* watched, QEvent* event)
{
    // A spontaneous show or hide is the window system minimising or
    // restoring the window, not an opening or a closing.
    if (watched != m_window || event->spontaneous())
        return false;
    if (event->type() == QEvent::Show) {
        m_openingActivation = true;
        emit Activated();
    } else if (event->type() == QEvent::Hide) {
        m_openingActivation = false;
    }
    return false;
}

void WindowActivation::OnWindowActivated(QWidget* now)
{
    const ActivationTracker& tracker = Tracker();
    if (now == m_window) {
        if (m_openingActivation) {
            m_openingActivation = false;
        } else if (!tracker.hadWindowBefore()) {
            if (m_countOtherProgram)
                emit Activated();
        } else if (!tracker.cameFrom(m_window)) {
            emit Activated();
        } else if (tracker.cameFromOtherProgram() && m_countOtherProgram) {
            emit Activated();
        }
        return;
    }
    if (!m_closeOnDeactivation || m_closePending || !m_window->isVisible() ||
        !tracker.cameFrom(m_window) || IsOwnedBy(now, m_window) || HasOpenDialog(m_window))
        return;
    // Qt is still delivering this activation change; close once it is done.
    m_closePending = true;
    QMetaObject::invokeMethod(
        this, [this] { CloseIfStillLeft(); }, Qt::QueuedConnection);
}

void WindowActivation::CloseIfStillLeft()
{
    m_closePending = false;
    if (!m_window->isVisible() || m_window->isActiveWindow() || HasOpenDialog(m_window))
        return;
    if (m_beforeClose)
        m_beforeClose();
    m_window->close();
}

}  // namespace platform

#include "window_activation.moc"
