// Matching the redraws the harness sees to the presses it sent, by the colour each count gives the dial.
#include "PressesInFlight.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

PressesInFlight::PressesInFlight(ColourOf colourOf) : m_colourOf(std::move(colourOf)) {}

bool PressesInFlight::sent(int count, Clock::time_point at)
{
    if (count < 1)
        throw std::invalid_argument("a press takes the count to 1 or more");
    if (m_colourOf(count) == m_colourOf(count - 1))
        return false;
    m_waiting.push_back({count, at});
    return true;
}

void PressesInFlight::seen(const std::vector<Rgb>& probes, Clock::time_point at)
{
    for (auto shown = m_waiting.rbegin(); shown != m_waiting.rend(); ++shown) {
        if (std::find(probes.begin(), probes.end(), m_colourOf(shown->count)) == probes.end())
            continue;
        const auto arrived = shown.base();
        for (auto press = m_waiting.begin(); press != arrived; ++press)
            m_latenciesMs.push_back(std::chrono::duration<double, std::milli>(at - press->sentAt).count());
        m_waiting.erase(m_waiting.begin(), arrived);
        return;
    }
}

void PressesInFlight::giveUpOnSentBefore(Clock::time_point cutoff)
{
    while (!m_waiting.empty() && m_waiting.front().sentAt < cutoff) {
        m_waiting.pop_front();
        ++m_unseen;
    }
}

double nearestRank(std::vector<double> values, double q)
{
    if (values.empty() || !(q > 0 && q <= 1))
        return NAN;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(values.size())));
    return values[std::max<std::size_t>(rank, 1) - 1];
}
