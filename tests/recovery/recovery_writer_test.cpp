// The writer's thread: the newest request wins, and requests keep their order.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>

#include "editor/recovery/recovery_writer.h"

namespace kadr::editor {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A disk that records what it is asked to do and can be held up inside a write.
struct SlowDisk {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> log;
    bool holding = false;
    bool inWrite = false;

    bool Write(const Bytes& bytes) {
        std::unique_lock lock(mutex);
        inWrite = true;
        changed.notify_all();
        changed.wait(lock, [this] { return !holding; });
        inWrite = false;
        log.push_back("write " + std::to_string(bytes.front()));
        return bytes.front() != 99;
    }
    void Remove() {
        const std::lock_guard lock(mutex);
        log.push_back("remove");
    }
    void Hold() {
        const std::lock_guard lock(mutex);
        holding = true;
    }
    void WaitUntilWriting() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return inWrite; });
    }
    void Release() {
        {
            const std::lock_guard lock(mutex);
            holding = false;
        }
        changed.notify_all();
    }
};

RecoveryWriter WriterOn(SlowDisk& disk) {
    return RecoveryWriter([&disk](const Bytes& b) { return disk.Write(b); },
                          [&disk] { disk.Remove(); });
}

TEST(RecoveryWriter, OnlyTheNewestOfTheWaitingCopiesIsWritten) {
    SlowDisk disk;
    RecoveryWriter writer = WriterOn(disk);
    disk.Hold();
    writer.Submit({1});
    disk.WaitUntilWriting();
    // While copy 1 is on its way, three more come; 2 and 3 are out of date before their turn.
    writer.Submit({2});
    writer.Submit({3});
    writer.Submit({4});
    disk.Release();
    writer.Flush();
    EXPECT_EQ(disk.log, (std::vector<std::string>{"write 1", "write 4"}));
    EXPECT_EQ(writer.Written(), 2);
}

TEST(RecoveryWriter, ARemovalDropsAWaitingCopyAndComesAfterTheOneBeingWritten) {
    SlowDisk disk;
    RecoveryWriter writer = WriterOn(disk);
    disk.Hold();
    writer.Submit({1});
    disk.WaitUntilWriting();
    writer.Submit({2});
    writer.Remove();
    disk.Release();
    writer.Flush();
    EXPECT_EQ(disk.log, (std::vector<std::string>{"write 1", "remove"}));
    // And a copy after the removal is written again.
    writer.Submit({5});
    writer.Flush();
    EXPECT_EQ(disk.log.back(), "write 5");
}

TEST(RecoveryWriter, TheEndCarriesOutWhatWaitsAndFailuresAreCounted) {
    SlowDisk disk;
    {
        RecoveryWriter writer = WriterOn(disk);
        writer.Submit({99});
        writer.Flush();
        EXPECT_EQ(writer.Failed(), 1);
        EXPECT_EQ(writer.Written(), 0);
        writer.Submit({7});
        writer.Remove();
    }
    ASSERT_FALSE(disk.log.empty());
    EXPECT_EQ(disk.log.back(), "remove");
}

}  // namespace
}  // namespace kadr::editor
