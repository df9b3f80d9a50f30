#include "app/AppTimer.h"

#include <chrono>
#include <utility>

namespace {
double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
} // namespace

AppTimer::AppTimer(TimeSource timeSource) : source(std::move(timeSource)) {}

double AppTimer::Now() const {
    return source ? source() : SteadySeconds();
}

void AppTimer::Start() {
    lastRead = Now();
    running = true;
}

double AppTimer::Elapsed() {
    if (!running) return 0.0;
    const double now = Now();
    const double elapsed = now - lastRead;
    lastRead = now;
    // A source that steps back (a test's, or a broken clock) must not run the animation backwards.
    return elapsed > 0.0 ? elapsed : 0.0;
}
