#include "editor/app/startup.h"

int main(int argc, char** argv) {
    return kadr::editor::RunEditor(argc, argv);
}
