// A dialog reaching up into the main window's folder for a widget it shares.
#include "editor/window/gap_label.h"
