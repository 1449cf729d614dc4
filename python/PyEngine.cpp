#include "PyEngine.h"

#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>

#include <cstdlib>

namespace py = pybind11;

namespace orv::python {

namespace {

bool hasDisplay()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

bool headlessPlatform()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

// The thread-affinity rule of the control, raised as Python's RuntimeError.
[[noreturn]] void wrongThread()
{
    throw std::runtime_error("orvreport: an Engine can only be used on the thread that created it (the thread "
                             "running Qt); create one engine per task on that thread instead of sharing it");
}

} // namespace

void ensureQtApplication()
{
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(app))
            throw std::runtime_error("orvreport: this process runs Qt without widgets (a QCoreApplication); "
                                     "the engine needs a QApplication");
        if (app->thread() != QThread::currentThread())
            wrongThread();
        return;
    }
    if (!hasDisplay() && !std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps argc and argv for the life of the application; the application
    // itself lives as long as the process, since engines may outlive any owner.
    static int argc = 1;
    static char name[] = "orvreport";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

TPythonEngine::TPythonEngine(bool window)
    : m_owner(std::this_thread::get_id())
    , m_window(window)
{
    ensureQtApplication();
    // Engines dropped on other threads are deleted here, on Qt's thread.
    QCoreApplication::sendPostedEvents();
    m_events = std::make_unique<TPythonEventSink>([this](py::error_already_set& e) { return keepHandlerError(e); });
    TORVREP::Options options;
    if (!window) {
        m_ui = std::make_unique<TScriptedUiServices>();
        options.ui = m_ui.get();
    }
    options.sink = m_events.get();
    m_control = std::make_unique<TORVREP>(nullptr, options);
    if (window)
        show(false);
}

TPythonEngine::~TPythonEngine()
{
    if (std::this_thread::get_id() == m_owner) {
        close();
        return;
    }
    // The last reference went away on another thread: the widget may only be
    // destroyed on its own thread, so the deletion is posted there.
    struct Remains {
        std::unique_ptr<TScriptedUiServices> ui;
        std::unique_ptr<TPythonEventSink> events;
        std::unique_ptr<TORVREP> control;
    };
    auto remains = std::make_shared<Remains>(Remains{std::move(m_ui), std::move(m_events), std::move(m_control)});
    if (remains->control) {
        QObject* context = remains->control.get();
        QMetaObject::invokeMethod(
            context, [remains] { remains->control.reset(); }, Qt::QueuedConnection);
    }
}

void TPythonEngine::checkUsable() const
{
    if (std::this_thread::get_id() != m_owner)
        wrongThread();
    if (!m_control)
        throw std::runtime_error("orvreport: this Engine has been closed");
}

bool TPythonEngine::keepHandlerError(py::error_already_set& error)
{
    if (m_callDepth == 0)
        return false;
    if (!m_handlerError)
        m_handlerError.emplace(std::move(error));
    return true;
}

template <class Body>
auto TPythonEngine::asOneCall(Body&& body)
{
    checkUsable();
    ++m_callDepth;
    std::optional<decltype(body())> result;
    try {
        result.emplace(body());
    } catch (...) {
        // The call's own failure is what the caller hears about.
        if (--m_callDepth == 0)
            m_handlerError.reset();
        throw;
    }
    if (--m_callDepth == 0 && m_handlerError) {
        py::error_already_set error = std::move(*m_handlerError);
        m_handlerError.reset();
        throw std::move(error);
    }
    return std::move(*result);
}

Variant TPythonEngine::invoke(const DispatchEntry& entry, std::vector<Variant>& args)
{
    return asOneCall([&] { return TDispatchTable::instance().invoke(*m_control, entry.dispId, entry.kind, args); });
}

std::vector<Variant> TPythonEngine::fire(const std::string& event, std::vector<Variant> args)
{
    return asOneCall([&] {
        m_events->onEvent(event.c_str(), 0, args);
        return args;
    });
}

void TPythonEngine::show(bool wait)
{
    checkUsable();
    if (wait && headlessPlatform())
        throw std::runtime_error("orvreport: there is no display to show the engine on (set DISPLAY or "
                                 "WAYLAND_DISPLAY)");
    m_control->show();
    m_control->raise();
    QCoreApplication::processEvents();
    if (!wait)
        return;
    py::gil_scoped_release unlocked;
    while (m_control->isVisible())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TPythonEngine::close()
{
    if (std::this_thread::get_id() != m_owner)
        wrongThread();
    // OnDestroy reaches the handlers while the control goes.
    m_control.reset();
    m_events.reset();
    m_ui.reset();
}

} // namespace orv::python
