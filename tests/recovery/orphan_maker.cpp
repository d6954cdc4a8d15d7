// Plays an editor that dies: takes its lock in the recovery folder, writes the copy it is given
// and ends without a normal end, so that the lock names a process that is gone.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include <QString>

#include "editor/recovery/recovery_store.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orphan_maker FOLDER COPY\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    auto* store = new kadr::editor::RecoveryStore(QString::fromUtf8(argv[1]));
    const bool written = store->Usable() && store->WriteOwn(bytes);
    std::printf("%s\n", qPrintable(store->OwnCopyPath()));
    std::fflush(stdout);
    // No destructor: the lock stays behind as after a crash.
    std::_Exit(written ? 0 : 1);
}
