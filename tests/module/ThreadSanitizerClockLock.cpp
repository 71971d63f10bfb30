// The thread sanitizer of our compiler does not intercept pthread_mutex_clocklock, through which
// std::timed_mutex waits (the sounder port's mutex): it would miss every such lock and report
// each unlock. In the sanitizer build the host answers the call with pthread_mutex_timedlock,
// which the sanitizer sees, at the same deadline converted to the real-time clock.
#include <pthread.h>
#include <time.h>

extern "C" int pthread_mutex_clocklock(pthread_mutex_t* mutex, clockid_t clock, const timespec* deadline)
{
    if (clock == CLOCK_REALTIME)
        return pthread_mutex_timedlock(mutex, deadline);
    timespec now{}, real{};
    clock_gettime(clock, &now);
    clock_gettime(CLOCK_REALTIME, &real);
    long long left = (deadline->tv_sec - now.tv_sec) * 1000000000LL + (deadline->tv_nsec - now.tv_nsec);
    long long at = real.tv_sec * 1000000000LL + real.tv_nsec + (left > 0 ? left : 0);
    timespec realDeadline{time_t(at / 1000000000LL), long(at % 1000000000LL)};
    return pthread_mutex_timedlock(mutex, &realDeadline);
}
