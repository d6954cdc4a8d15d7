#include "editor/window/startup.h"

int main(int argc, char** argv) {
    return kadr::editor::RunEditor(argc, argv);
}
