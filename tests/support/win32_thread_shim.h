// GoogleTest wants std::mutex and std::condition_variable, which the win32-thread
// toolchain's library lacks. The tests run on one thread; these are just enough for
// GoogleTest to build and stay correct (a wait may wake early, as a wait may anyway).
#pragma once
#ifdef __cplusplus
#include <bits/c++config.h>
#ifndef _GLIBCXX_HAS_GTHREADS
#include <windows.h>
#include <mutex>

namespace std {

class mutex {
public:
    mutex() { ::InitializeCriticalSection(&m_cs); }
    ~mutex() { ::DeleteCriticalSection(&m_cs); }
    mutex(const mutex&) = delete;
    mutex& operator=(const mutex&) = delete;
    void lock() { ::EnterCriticalSection(&m_cs); }
    void unlock() { ::LeaveCriticalSection(&m_cs); }
    bool try_lock() { return ::TryEnterCriticalSection(&m_cs) != FALSE; }

private:
    CRITICAL_SECTION m_cs;
};

class condition_variable {
public:
    void notify_one() {}
    void notify_all() {}
    void wait(unique_lock<mutex>& lock)
    {
        lock.unlock();
        ::Sleep(1);
        lock.lock();
    }
    template <class Predicate>
    void wait(unique_lock<mutex>& lock, Predicate done)
    {
        while (!done())
            wait(lock);
    }
};

}  // namespace std
#endif
#endif
