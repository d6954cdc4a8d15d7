#include <QTimer>
#include "editor/window/main_window.h"
