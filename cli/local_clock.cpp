#include "cli/local_clock.h"

#include <charconv>
#include <cstdlib>

#include "frameset/errors.h"

namespace kadr::cli {
namespace {

using std::chrono::milliseconds;
using SteadyClock = std::chrono::steady_clock;

std::int64_t SteadyMs() {
    return std::chrono::duration_cast<milliseconds>(SteadyClock::now().time_since_epoch()).count();
}

std::int64_t UtcMs() {
    return std::chrono::duration_cast<milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t FloorSeconds(std::int64_t ms) {
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

class SystemClock : public Clock {
  public:
    schedule::Moment Now() const override {
        const std::int64_t utc = FloorSeconds(UtcMs());
        return {LocalFromUtc(utc), utc, SteadyMs()};
    }
    std::int64_t MsUntil(schedule::LocalSeconds local) const override {
        const std::int64_t utcMs = UtcMs();
        const std::int64_t utc = FloorSeconds(utcMs);
        const std::int64_t localMs = (LocalFromUtc(utc) - utc) * 1000 + utcMs;
        return std::max<std::int64_t>(0, local * 1000 - localMs);
    }
    std::int64_t RealMs(std::int64_t clockMs) const override { return clockMs; }
};

// Starts at a given local time and runs `rate` times as fast as the steady clock.
class TestClock : public Clock {
  public:
    TestClock(schedule::LocalSeconds start, double rate)
        : startMs_(start * 1000), rate_(rate), origin_(SteadyMs()) {}

    schedule::Moment Now() const override {
        const std::int64_t elapsed = Elapsed();
        const std::int64_t local = FloorSeconds(startMs_ + elapsed);
        return {local, local, elapsed};
    }
    std::int64_t MsUntil(schedule::LocalSeconds local) const override {
        return std::max<std::int64_t>(0, RealMs(local * 1000 - startMs_ - Elapsed()));
    }
    std::int64_t RealMs(std::int64_t clockMs) const override {
        return static_cast<std::int64_t>(static_cast<double>(clockMs) / rate_ + 0.999);
    }

  private:
    std::int64_t Elapsed() const {
        return static_cast<std::int64_t>(static_cast<double>(SteadyMs() - origin_) * rate_);
    }
    std::int64_t startMs_;
    double rate_;
    std::int64_t origin_;
};

bool Number(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "2024-05-06T07:59:30" or "2024-05-06T07:59:30x60".
std::unique_ptr<Clock> ParseTestClock(std::string_view text) {
    const std::string_view stamp = text.substr(0, 19);
    schedule::CivilTime civil;
    int rate = 1;
    const bool read =
        text.size() >= 19 && stamp[4] == '-' && stamp[7] == '-' && stamp[10] == 'T' &&
        stamp[13] == ':' && stamp[16] == ':' && Number(stamp.substr(0, 4), civil.year) &&
        Number(stamp.substr(5, 2), civil.month) && Number(stamp.substr(8, 2), civil.day) &&
        Number(stamp.substr(11, 2), civil.hour) && Number(stamp.substr(14, 2), civil.minute) &&
        Number(stamp.substr(17, 2), civil.second) &&
        (text.size() == 19 || (text[19] == 'x' && Number(text.substr(20), rate) && rate >= 1));
    if (!read) {
        throw Error("KADR_TEST_CLOCK: '" + std::string(text) +
                    "' is not YYYY-MM-DDTHH:MM:SS[xRATE]");
    }
    return std::make_unique<TestClock>(schedule::FromCivil(civil), rate);
}

}  // namespace

std::unique_ptr<Clock> MakeClock() {
    const char* test = std::getenv("KADR_TEST_CLOCK");
    if (test != nullptr && *test != '\0') {
        return ParseTestClock(test);
    }
    return std::make_unique<SystemClock>();
}

}  // namespace kadr::cli
