#pragma once
// A cache the program keeps while its application runs: made at first use as
// a child of the application, so it goes with it, before the fonts and images
// it holds would outlive their system.
#include <QCoreApplication>
#include <QPointer>

namespace qt {

// T: a QObject made from its parent.
template <class T> T& appCache()
{
    static QPointer<T> cache;
    if (!cache)
        cache = new T(QCoreApplication::instance());
    return *cache;
}

}  // namespace qt
