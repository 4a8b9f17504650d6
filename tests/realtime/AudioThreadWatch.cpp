#include "AudioThreadWatch.h"

#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <dlfcn.h>
#include <new>
#include <pthread.h>
#include <sched.h>
#include <time.h>
#include <unistd.h>

extern "C"
{
    void* __libc_malloc(size_t);
    void* __libc_calloc(size_t, size_t);
    void* __libc_realloc(void*, size_t);
    void* __libc_memalign(size_t, size_t);
    void __libc_free(void*);
}

namespace
{
thread_local bool watching = false;
thread_local AudioThreadWatch::Counts counts;

enum Kind
{
    allocation,
    lock,
    systemCall
};

void note(Kind kind, const char* function)
{
    if (!watching)
        return;
    watching = false; // recording must not count itself
    (kind == allocation ? counts.allocations : kind == lock ? counts.locks : counts.systemCalls)++;
    if (counts.first.empty())
        counts.first = function;
    watching = true;
}

template <typename F> F next(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}
} // namespace

namespace AudioThreadWatch
{
void begin()
{
    counts = {};
    counts.first.reserve(64);
    watching = true;
}

Counts end()
{
    watching = false;
    return counts;
}
} // namespace AudioThreadWatch

extern "C"
{
    void* malloc(size_t n)
    {
        note(allocation, "malloc");
        return __libc_malloc(n);
    }

    void* calloc(size_t count, size_t n)
    {
        note(allocation, "calloc");
        return __libc_calloc(count, n);
    }

    void* realloc(void* p, size_t n)
    {
        note(allocation, "realloc");
        return __libc_realloc(p, n);
    }

    void* aligned_alloc(size_t alignment, size_t n)
    {
        note(allocation, "aligned_alloc");
        return __libc_memalign(alignment, n);
    }

    int posix_memalign(void** p, size_t alignment, size_t n)
    {
        note(allocation, "posix_memalign");
        *p = __libc_memalign(alignment, n);
        return *p != nullptr ? 0 : 12;
    }

    int pthread_mutex_lock(pthread_mutex_t* m)
    {
        note(lock, "pthread_mutex_lock");
        static const auto real = next<int (*)(pthread_mutex_t*)>("pthread_mutex_lock");
        return real(m);
    }

    int pthread_mutex_trylock(pthread_mutex_t* m)
    {
        note(lock, "pthread_mutex_trylock");
        static const auto real = next<int (*)(pthread_mutex_t*)>("pthread_mutex_trylock");
        return real(m);
    }

    int pthread_rwlock_rdlock(pthread_rwlock_t* l)
    {
        note(lock, "pthread_rwlock_rdlock");
        static const auto real = next<int (*)(pthread_rwlock_t*)>("pthread_rwlock_rdlock");
        return real(l);
    }

    int pthread_rwlock_wrlock(pthread_rwlock_t* l)
    {
        note(lock, "pthread_rwlock_wrlock");
        static const auto real = next<int (*)(pthread_rwlock_t*)>("pthread_rwlock_wrlock");
        return real(l);
    }

    int pthread_cond_wait(pthread_cond_t* c, pthread_mutex_t* m)
    {
        note(lock, "pthread_cond_wait");
        static const auto real = next<int (*)(pthread_cond_t*, pthread_mutex_t*)>("pthread_cond_wait");
        return real(c, m);
    }

    ssize_t write(int fd, const void* data, size_t n)
    {
        note(systemCall, "write");
        static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
        return real(fd, data, n);
    }

    ssize_t read(int fd, void* data, size_t n)
    {
        note(systemCall, "read");
        static const auto real = next<ssize_t (*)(int, void*, size_t)>("read");
        return real(fd, data, n);
    }

    int open(const char* path, int flags, ...)
    {
        note(systemCall, "open");
        va_list list;
        va_start(list, flags);
        const int mode = va_arg(list, int);
        va_end(list);
        static const auto real = next<int (*)(const char*, int, ...)>("open");
        return real(path, flags, mode);
    }

    int nanosleep(const timespec* t, timespec* rest)
    {
        note(systemCall, "nanosleep");
        static const auto real = next<int (*)(const timespec*, timespec*)>("nanosleep");
        return real(t, rest);
    }

    int usleep(useconds_t t)
    {
        note(systemCall, "usleep");
        static const auto real = next<int (*)(useconds_t)>("usleep");
        return real(t);
    }

    int sched_yield()
    {
        note(systemCall, "sched_yield");
        static const auto real = next<int (*)()>("sched_yield");
        return real();
    }

    long syscall(long number, ...)
    {
        note(systemCall, "syscall");
        va_list list;
        va_start(list, number);
        long a[6];
        for (long& v : a)
            v = va_arg(list, long);
        va_end(list);
        static const auto real = next<long (*)(long, ...)>("syscall");
        return real(number, a[0], a[1], a[2], a[3], a[4], a[5]);
    }
}

void* operator new(size_t n)
{
    note(allocation, "operator new");
    if (void* p = __libc_malloc(n != 0 ? n : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new[](size_t n)
{
    note(allocation, "operator new[]");
    if (void* p = __libc_malloc(n != 0 ? n : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new(size_t n, const std::nothrow_t&) noexcept
{
    note(allocation, "operator new");
    return __libc_malloc(n != 0 ? n : 1);
}

void* operator new[](size_t n, const std::nothrow_t&) noexcept
{
    note(allocation, "operator new[]");
    return __libc_malloc(n != 0 ? n : 1);
}

void* operator new(size_t n, std::align_val_t a)
{
    note(allocation, "operator new");
    if (void* p = __libc_memalign(static_cast<size_t>(a), n != 0 ? n : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new[](size_t n, std::align_val_t a)
{
    note(allocation, "operator new[]");
    if (void* p = __libc_memalign(static_cast<size_t>(a), n != 0 ? n : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    __libc_free(p);
}

void operator delete[](void* p) noexcept
{
    __libc_free(p);
}

void operator delete(void* p, size_t) noexcept
{
    __libc_free(p);
}

void operator delete[](void* p, size_t) noexcept
{
    __libc_free(p);
}

void operator delete(void* p, std::align_val_t) noexcept
{
    __libc_free(p);
}

void operator delete[](void* p, std::align_val_t) noexcept
{
    __libc_free(p);
}

void operator delete(void* p, size_t, std::align_val_t) noexcept
{
    __libc_free(p);
}

void operator delete[](void* p, size_t, std::align_val_t) noexcept
{
    __libc_free(p);
}
