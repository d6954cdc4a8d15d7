#include "cli/kadr_main.h"

// The arguments come as the user's locale spells them, which is UTF-8 on the systems served.
int main(int argc, char** argv) {
    return kadr::cli::RunKadr(argc, argv);
}
