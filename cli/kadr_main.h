#pragma once

namespace kadr::cli {

// The whole run of `kadr` on its arguments (argv[0] the program), which are UTF-8 on every
// system: each platform's entry point hands them over in that form.
int RunKadr(int argc, char** argv);

}  // namespace kadr::cli
