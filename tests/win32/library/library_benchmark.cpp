// Times enumeration and writes of the settings library against the registry
// of the prefix it runs in, for a few modems and for many. It replaces that
// prefix's modems and settings, and clears them when done.
#include "TestRegistry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

double nowMicroseconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1e6 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void installModems(int count)
{
    clearModems();
    for (int i = 0; i < count; ++i) {
        char instance[8];
        std::snprintf(instance, sizeof instance, "%04d", i);
        addModem(instance, {{"FriendlyName", std::string("Benchmark modem ") + instance},
                            {"DriverDesc", "Benchmark driver"}, {"AttachedTo", "COM3"}});
        setDword(settingsKey(instance), "MohEnabled", 1);
        setText(settingsKey(instance), "AcceptSequence", "1#");
    }
}

// Median of the rounds' times: the wineserver's answers vary a lot with the
// load of the machine, and the median is what a user mostly sees.
template <typename Round> double medianMicroseconds(int rounds, Round round)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        double start = nowMicroseconds();
        round(i);
        times.push_back(nowMicroseconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void measure(int modemCount, int rounds)
{
    installModems(modemCount);
    size_t found = 0;
    double enumeration = medianMicroseconds(rounds, [&](int) { found += enumerateAll().size(); });

    ModemRecord modem = enumerateAll().back();
    std::strcpy(modem.acceptSequence, "12*#");
    int failures = 0;
    double write = medianMicroseconds(rounds, [&](int i) {
        failures += (i % 2 ? writeSwitchHookAccept(&modem) : enableMOH(&modem)) != 0;
    });

    std::printf("%4d modems: %9.1f us per enumeration (%6.1f us per modem), %7.1f us per write\n",
                modemCount, enumeration, enumeration / modemCount, write);
    if (found != static_cast<size_t>(modemCount) * rounds || failures)
        std::printf("      unexpected: %u modems found, %d writes failed\n",
                    static_cast<unsigned>(found), failures);
}

} // namespace

int main()
{
    try {
        measure(10, 200);
        measure(200, 50);
    } catch (const std::exception &error) {
        std::printf("benchmark failed: %s\n", error.what());
        clearModems();
        return 1;
    }
    clearModems();
    return 0;
}
