#pragma once

#include <QCoreApplication>
#include <QPointer>

namespace rj_app::views {

// Holds a process-wide window made on first use. Held in a function-local
// static, it deletes the window at exit only while the application object
// still exists: a widget may not be destroyed after it, and Qt tears its own
// state down before late static destructors run. A window deleted earlier
// (by a parent, say) is simply made again when asked for.
template <typename T>
class CAppLifetimeInstance
{
public:
    CAppLifetimeInstance() = default;
    CAppLifetimeInstance(const CAppLifetimeInstance &) = delete;
    CAppLifetimeInstance &operator=(const CAppLifetimeInstance &) = delete;
    ~CAppLifetimeInstance()
    {
        if (m_instance && QCoreApplication::instance())
            delete m_instance.data();
    }

    template <typename Factory>
    T *get(Factory make)
    {
        if (!m_instance)
            m_instance = make();
        return m_instance.data();
    }

private:
    QPointer<T> m_instance;
};

} // namespace rj_app::views
