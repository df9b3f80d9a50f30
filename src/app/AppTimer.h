#pragma once
// The stopwatch that times the banner animation: seconds between two reads of a monotonic
// clock. The clock is the steady clock unless a test hands in its own.
#include <functional>

class AppTimer {
  public:
    // Seconds from any fixed origin; it must never go backwards.
    using TimeSource = std::function<double()>;

    explicit AppTimer(TimeSource source = {});
    virtual ~AppTimer() = default;

    // Starts the stopwatch (again); the next Elapsed counts from now.
    void Start();
    // Seconds since the previous Elapsed or since Start; 0 before the first Start.
    double Elapsed();

  private:
    double Now() const;

    TimeSource source;
    bool running = false;
    double lastRead = 0.0;
};
