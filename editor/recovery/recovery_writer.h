#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kadr::editor {

// Writes and removes the recovery copy on a thread of its own, so that a slow disk (a write
// waits until the bytes are on the medium) never stalls the window. Only the newest request
// matters: a copy submitted while an older one waits replaces it, a removal drops a waiting
// write, and requests are carried out in the order they were made.
class RecoveryWriter {
  public:
    using WriteFn = std::function<bool(const std::vector<std::uint8_t>&)>;
    using RemoveFn = std::function<void()>;

    RecoveryWriter(WriteFn write, RemoveFn remove);
    // Carries out what is still waiting, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void Submit(std::vector<std::uint8_t> bytes);
    void Remove();
    // Waits until every request made so far is carried out.
    void Flush();
    // Copies written and writes that failed, for the tests and the soak's report.
    int Written() const;
    int Failed() const;

  private:
    void Run();

    WriteFn write_;
    RemoveFn remove_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    // Empty optional: nothing waits; an empty vector inside: a removal waits.
    std::optional<std::vector<std::uint8_t>> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    int written_ = 0;
    int failed_ = 0;
    std::thread thread_;
};

}  // namespace kadr::editor
