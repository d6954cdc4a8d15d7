#pragma once

#include <string>

namespace kadr {

// A pseudo-terminal pair in raw mode, for a virtual device on the master side. The slave side
// is held open as well, so that the master does not see a hangup between two users of the
// slave; the master is non-blocking.
class PseudoTerminal {
  public:
    PseudoTerminal();  // throws std::system_error
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int MasterFd() const { return master_; }
    int SlaveFd() const { return slave_; }
    const std::string& SlavePath() const { return slavePath_; }
    // Without the held slave, the master sees a hangup once the last other user closes it.
    void CloseSlave();
    // The slave's users see a hangup.
    void CloseMaster();

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

}  // namespace kadr
