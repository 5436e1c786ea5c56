// Presses on their way to the screen: each waits for the dial to show the colour its count paints there.
#pragma once

#include "XDisplay.h"

#include <deque>
#include <functional>
#include <vector>

class PressesInFlight {
public:
    // The colour the dial takes for a count, in the program under test's own ramp.
    using ColourOf = std::function<Rgb(int count)>;

    explicit PressesInFlight(ColourOf colourOf);

    // A press was sent that takes the count from count - 1 to count. A press that leaves the dial's colour
    // as it was cannot be seen arriving, and is left out: false.
    bool sent(int count, Clock::time_point at);
    // The dial's probes as read after a redraw that reached us at `at`. The newest press whose colour any
    // probe shows has arrived, and so has every press before it, even one whose own colour was drawn over.
    void seen(const std::vector<Rgb>& probes, Clock::time_point at);
    // Presses sent before the cutoff that never showed are given up on and counted as unseen.
    void giveUpOnSentBefore(Clock::time_point cutoff);

    bool waiting() const { return !m_waiting.empty(); }
    int unseen() const { return m_unseen; }
    // From each press sent to the redraw that showed it, in milliseconds, in the order they were sent.
    const std::vector<double>& latenciesMs() const { return m_latenciesMs; }

private:
    struct Press {
        int count = 0;
        Clock::time_point sentAt;
    };

    ColourOf m_colourOf;
    std::deque<Press> m_waiting;
    std::vector<double> m_latenciesMs;
    int m_unseen = 0;
};

// The q-th quantile (0 < q <= 1) by nearest rank: a value that was measured, never one interpolated between two.
double nearestRank(std::vector<double> values, double q);
