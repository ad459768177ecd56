#pragma once
// Services that make a file differ from run to run: the clock (document dates) and the
// pseudo-random generator (names of unshared images). Both are injected so that tests and
// reproducible builds get byte-identical files.
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

// A local calendar date and time, to the second.
struct TPdfDateTime {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;

    // The zero date-time value, written as D:18991230000000.
    static TPdfDateTime Zero() { return {}; }
    friend bool operator==(const TPdfDateTime&, const TPdfDateTime&) = default;
};

class TPdfClock {
public:
    virtual ~TPdfClock() = default;
    virtual TPdfDateTime Now() const = 0;
};

// The local time of the machine.
class TPdfSystemClock final : public TPdfClock {
public:
    TPdfDateTime Now() const override;
};

// Always the same moment (tests, reproducible output).
class TPdfFixedClock final : public TPdfClock {
public:
    explicit TPdfFixedClock(TPdfDateTime moment) : moment_(moment) { }
    TPdfDateTime Now() const override { return moment_; }

private:
    TPdfDateTime moment_;
};

std::shared_ptr<const TPdfClock> DefaultPdfClock();

class TPdfRandom {
public:
    virtual ~TPdfRandom() = default;
    // A number from 0 to bound - 1 (bound > 0).
    virtual int Next(int bound) = 0;
};

// Pseudo-random numbers seeded from the system clock at construction.
class TPdfClockSeededRandom final : public TPdfRandom {
public:
    TPdfClockSeededRandom();
    int Next(int bound) override;

private:
    std::mt19937 engine_;
};

// Returns the given values in turn, starting over after the last (tests). Each value is
// reduced modulo the bound.
class TPdfSequenceRandom final : public TPdfRandom {
public:
    explicit TPdfSequenceRandom(std::vector<int> values) : values_(std::move(values)) { }
    int Next(int bound) override;

private:
    std::vector<int> values_;
    std::size_t next_ = 0;
};
